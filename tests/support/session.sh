# What every script that drives the real program shares, whatever the display: sourced (not run)
# through tests/support/x-session.sh for X, or directly for another display (the Wayland run).
#
#   . tests/support/session.sh NAME       scratch folder $tmp (miravane-NAME.XXXXXX) and a clean-up
#                                         at exit that ends everything started here and removes
#                                         $tmp (kept when KEEP_SESSION=1)
#   needs TOOL...                         stops at once if a tool is missing
#   start_program COMMAND...              runs it in the background: prog_pid, output in $tmp/program.log
#   track_process PID                     one more process for the clean-up to end
#   end_all_processes                     ends them now; session_finish STATUS ends all and exits
#   wait_for SECONDS COMMAND...           runs COMMAND every 0.1 s until it succeeds
#   process_alive PID, program_exited
#   pass, fail, check, finish             a scenario's checks and its closing count
#   card_geometry POS [X Y], card_centre POS [X Y], card_geometries
#   card_matches SHOT POS REF [X Y], cards_not_matching SHOT REF [X Y]
#   card_colour SHOT POS [X Y], is_unselected_colour RGB, is_selected_colour RGB
# shellcheck shell=bash disable=SC2034,SC2317  # variables are the sourcing script's; helpers run through wait_for

readonly MAIN_TITLE='Orvelle V 1.0 © miravane.example'
readonly READING_TITLE='Interpretación de las cartas'
readonly BOX_TITLE='Miravane'
readonly MAIN_SIZE=627x409 READING_SIZE=622x420
# Where things are in the main window's client area: 40x80 cards in two rows of eleven.
readonly CARD_W=40 CARD_H=80 CARD_X0=56 CARD_Y0=163 ROW_STEP=88
readonly COLS=(0 48 96 144 192 240 288 336 384 432 481)
readonly BANNER_X=313 BANNER_Y=45
readonly APP_ID=example.miravane.miravane
session_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# needs TOOL...: stops the script at once if a tool is missing.
needs() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing tool: $tool (scripts/install-deps installs it)" >&2; exit 2; }
  done
}
needs ps

tmp=$(mktemp -d "${TMPDIR:-/tmp}/miravane-${1:-session}.XXXXXX")
session_pids=()
prog_pid='' display_number='' passed=0 failed=0

now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

wait_for() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    [ "$(now_ms)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

process_alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]  # an exited child stays a zombie until waited for
}

track_process() { session_pids+=("$1"); }

# A process and all its descendants, parents first.
process_tree() {
  local child
  echo "$1"
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do process_tree "$child"; done
}

# Ends one process and everything it started: politely, then for good after 3 s, so that one
# that ignores the request (strace busy with its log, say) cannot hold up the clean-up.
end_process() {
  local pid=$1 tree
  tree=$(process_tree "$pid" | tr '\n' ' ')
  # shellcheck disable=SC2086  # a list of pids
  kill -TERM $tree 2>/dev/null || true
  process_gone() { ! process_alive "$pid"; }
  # shellcheck disable=SC2086
  wait_for 3 process_gone || kill -KILL $tree 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

end_all_processes() {
  local i
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do end_process "${session_pids[i]}"; done
  session_pids=()
}

# session_finish STATUS: ends everything started here, removes what it made, exits.
session_finish() {
  trap - EXIT
  end_all_processes
  # A server that had to be killed leaves its socket and lock behind.
  if [ -n "$display_number" ]; then
    rm -f "/tmp/.X11-unix/X$display_number" "/tmp/.X$display_number-lock" 2>/dev/null || true
  fi
  if [ -n "${KEEP_SESSION:-}" ]; then echo "kept: $tmp"; else rm -rf "$tmp"; fi
  exit "$1"
}
session_cleanup() { session_finish $?; }
trap session_cleanup EXIT
trap 'exit 130' INT TERM

start_program() {
  "$@" >"$tmp/program.log" 2>&1 &
  prog_pid=$!
  track_process "$prog_pid"
}
program_exited() { ! process_alive "$prog_pid"; }

# A scenario's checks: pass and fail say what was seen, check runs a command as one; finish
# [REASON] ends the scenario (early, with the reason and the program's last words) with the
# count, and fails if anything did. A script may define on_failure to keep more evidence.
pass() { passed=$((passed + 1)); echo "ok   - $1"; }
fail() { failed=$((failed + 1)); echo "FAIL - $1"; }
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
  if ((failed > 0)) && declare -F on_failure >/dev/null; then on_failure; fi
  if [ -n "${1:-}" ]; then
    echo "stopping: $1"
    if [ -s "$tmp/program.log" ]; then
      echo "--- program output (last lines) ---"
      tail -n 20 "$tmp/program.log"
      echo "---"
    fi
  fi
  echo "$passed passed, $failed failed"
  exit $((failed > 0))
}

# Cards on a screenshot of the main window; X Y is where the window's client area lies on the
# shot (0 0 for a shot of the window itself).
card_geometry() { # POS [X Y]
  local pos=$1 x=${2:-0} y=${3:-0}
  echo "${CARD_W}x${CARD_H}+$((x + CARD_X0 + COLS[pos % 11]))+$((y + CARD_Y0 + ROW_STEP * (pos / 11)))"
}

card_geometries() { local pos; for pos in $(seq 0 21); do card_geometry "$pos"; done; }

card_centre() { # POS [X Y]
  local pos=$1 x=${2:-0} y=${3:-0}
  echo "$((x + CARD_X0 + COLS[pos % 11] + CARD_W / 2)) $((y + CARD_Y0 + ROW_STEP * (pos / 11) + CARD_H / 2))"
}

# card_matches SHOT POS REFERENCE [X Y]: the card is exactly REFERENCE, pixel for pixel.
card_matches() { [ "$(compare -metric AE "$1[$(card_geometry "$2" "${4:-0}" "${5:-0}")]" "$3" null: 2>&1)" = 0 ]; }

# cards_not_matching SHOT REFERENCE [X Y]: the positions whose card is not exactly REFERENCE.
cards_not_matching() {
  local pos bad=()
  for pos in $(seq 0 21); do card_matches "$1" "$pos" "$2" "${3:-0}" "${4:-0}" || bad+=("$pos"); done
  echo "${bad[*]}"
}

# card_colour SHOT POS [X Y]: the mean colour inside a card's border (gold on both backs) on a
# screenshot of the main window, as "R G B" in 0..255.
card_colour() {
  convert "$1[$(card_geometry "$2" "${3:-0}" "${4:-0}")]" +repage -crop "$((CARD_W - 8))x$((CARD_H - 8))+4+4" \
    -scale '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# The unselected back is the dark blue one, the selected back the warm gold one.
is_unselected_colour() { local r g b; read -r r g b <<<"$1"; [ "$b" -gt $((r + 20)) ]; }
is_selected_colour() { local r g b; read -r r g b <<<"$1"; [ "$r" -gt $((b + 60)) ]; }
