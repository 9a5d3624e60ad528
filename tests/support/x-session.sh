# The one place that knows how to drive the real program on a private X server. Sourced (not
# run) by the end-to-end and hardening tests, scripts/screenshots, packaging/try-deb and the
# benchmarks:
#
#   . tests/support/x-session.sh NAME     scratch folder $tmp (miravane-NAME.XXXXXX) and a clean-up
#                                         at exit that ends everything started here, removes $tmp
#                                         (kept when KEEP_X_SESSION=1) and any X socket left behind
#   start_xvfb [WxHxD]                    Xvfb on a free display: sets DISPLAY and display_number
#   start_window_manager NAME             a window manager (openbox) on DISPLAY, once it manages windows
#   program_environment                   the program sees the X server only, no desktop session
#   start_program COMMAND...              runs it in the background: prog_pid, output in $tmp/program.log
#   track_process PID                     one more process for the clean-up to end
#   x_end_all                             ends them now; x_session_finish STATUS ends all and exits
#   wait_for SECONDS COMMAND...           runs COMMAND every 0.1 s until it succeeds
#   find_window TITLE, count_windows TITLE, window_gone TITLE, window_size WIN, window_pos WIN
#   outer_geometry WIN                    "X Y W H" of the window with the frame a window manager drew
#   screen_size                           "W H" of the X screen
#   card_geometry POS, card_centre POS, card_geometries, click_card WIN POS [DY]
#   card_colour SHOT POS, is_unselected_colour RGB, is_selected_colour RGB
#   request_close WIN                     what a window manager's close box sends
#   shoot WIN FILE                        a screenshot of one window (FILE's suffix picks the format)
#   process_alive PID
#
# The harness's own tools run in a UTF-8 locale whatever the caller's, so that window titles
# with "©" and "ó" match in the C locale too; the program keeps the caller's locale.
# shellcheck shell=bash disable=SC2034,SC2317  # variables are the sourcing script's; helpers run through wait_for

readonly MAIN_TITLE='Orvelle V 1.0 © miravane.example'
readonly READING_TITLE='Interpretación de las cartas'
readonly BOX_TITLE='Miravane'
readonly MAIN_SIZE=627x409 READING_SIZE=622x420
# Where things are in the main window's client area: 40x80 cards in two rows of eleven.
readonly CARD_W=40 CARD_H=80 CARD_X0=56 CARD_Y0=163 ROW_STEP=88
readonly COLS=(0 48 96 144 192 240 288 336 384 432 481)
readonly BANNER_X=313 BANNER_Y=45
x_session_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for x_tool in Xvfb xdotool python3 ps; do
  command -v "$x_tool" >/dev/null 2>&1 || { echo "missing tool: $x_tool (scripts/install-deps installs it)" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/miravane-${1:-x-session}.XXXXXX")
x_pids=()
xvfb_pid='' prog_pid='' display_number=''

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

track_process() { x_pids+=("$1"); }

# A process and all its descendants, parents first.
x_process_tree() {
  local child
  echo "$1"
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do x_process_tree "$child"; done
}

# Ends one process and everything it started: politely, then for good after 3 s, so that one
# that ignores the request (strace busy with its log, say) cannot hold up the clean-up.
x_end_process() {
  local pid=$1 tree
  tree=$(x_process_tree "$pid" | tr '\n' ' ')
  # shellcheck disable=SC2086  # a list of pids
  kill -TERM $tree 2>/dev/null || true
  process_gone() { ! process_alive "$pid"; }
  # shellcheck disable=SC2086
  wait_for 3 process_gone || kill -KILL $tree 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

x_end_all() {
  local i
  for ((i = ${#x_pids[@]} - 1; i >= 0; i--)); do x_end_process "${x_pids[i]}"; done
  x_pids=()
}

# x_session_finish STATUS: ends everything started here, removes what it made, exits.
x_session_finish() {
  trap - EXIT
  x_end_all
  # A server that had to be killed leaves its socket and lock behind.
  if [ -n "$display_number" ]; then
    rm -f "/tmp/.X11-unix/X$display_number" "/tmp/.X$display_number-lock" 2>/dev/null || true
  fi
  if [ -n "${KEEP_X_SESSION:-}" ]; then echo "kept: $tmp"; else rm -rf "$tmp"; fi
  exit "$1"
}
x_session_cleanup() { x_session_finish $?; }
trap x_session_cleanup EXIT
trap 'exit 130' INT TERM

# shellcheck disable=SC2120  # the screen size is optional
start_xvfb() {
  # -noreset: by default the server resets whenever its last client leaves and refuses
  # connections meanwhile, so anything probing displays could make the program's own fail.
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
  xvfb_pid=$!
  track_process "$xvfb_pid"
  display_ready() { grep -q '^[0-9][0-9]*$' "$tmp/display" 2>/dev/null; }
  wait_for 10 display_ready || { echo "Xvfb did not start: $(tail -n 3 "$tmp/xvfb.log" | tr '\n' ' ')"; return 1; }
  display_number=$(head -n 1 "$tmp/display")
  export DISPLAY=":$display_number"
}

# start_window_manager NAME: starts it (after program_environment, so that it writes only under
# $tmp) and waits until it has announced itself on the root window, which it does once it
# manages windows.
start_window_manager() {
  case $1 in
    openbox) set -- openbox --sm-disable ;;
    *) echo "unknown window manager: $1" >&2; return 2 ;;
  esac
  command -v "$1" >/dev/null 2>&1 || { echo "missing tool: $1 (scripts/install-deps installs it)" >&2; return 2; }
  "$@" >"$tmp/window-manager.log" 2>&1 &
  track_process $!
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for 10 wm_ready || { echo "$1 did not start: $(tail -n 3 "$tmp/window-manager.log" | tr '\n' ' ')"; return 1; }
}

# The environment the program under test runs in: the X server only, nothing of the host's
# desktop session, a home and runtime folder of its own (so that a program that did write
# would not touch the developer's), and a stub in place of the browser launcher so that a
# click on the banner opens nothing; the stub notes each page it was asked for in
# $tmp/opened-pages.
program_environment() {
  unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER DESKTOP_SESSION XDG_CURRENT_DESKTOP \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME DEFAULT_BROWSER
  export QT_QPA_PLATFORM=xcb BROWSER=true
  export XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  mkdir -p "$HOME" "$tmp/stub-bin"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf '#!/bin/sh\necho "$*" >>"%s/opened-pages"\n' "$tmp" >"$tmp/stub-bin/xdg-open"
  chmod +x "$tmp/stub-bin/xdg-open"
  export PATH="$tmp/stub-bin:$PATH"
}

start_program() {
  "$@" >"$tmp/program.log" 2>&1 &
  prog_pid=$!
  track_process "$prog_pid"
}

x_tool() { LC_ALL=C.UTF-8 "$@"; }

# find_window TITLE: the id of the first mapped window with exactly that title.
find_window() {
  local ids
  ids=$(x_tool xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) || return 1
  [ -n "$ids" ] || return 1
  head -n 1 <<<"$ids"
}

count_windows() { x_tool xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -c .; }

window_gone() { ! find_window "$1" >/dev/null; }

window_size() { xdotool getwindowgeometry "$1" | awk '/Geometry:/ { print $2 }'; }

window_pos() { xdotool getwindowgeometry "$1" | awk '/Position:/ { print $2 }'; }

outer_geometry() {
  local x y w h l=0 r=0 t=0 b=0 extents
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  extents=$(xprop -id "$1" -notype _NET_FRAME_EXTENTS 2>/dev/null)
  if [[ $extents == *=* ]]; then IFS=', ' read -r l r t b <<<"${extents#*= }"; fi
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

screen_size() { xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }'; }

card_geometry() {
  local pos=$1
  echo "${CARD_W}x${CARD_H}+$((CARD_X0 + COLS[pos % 11]))+$((CARD_Y0 + ROW_STEP * (pos / 11)))"
}

card_geometries() { local pos; for pos in $(seq 0 21); do card_geometry "$pos"; done; }

card_centre() {
  local pos=$1
  echo "$((CARD_X0 + COLS[pos % 11] + CARD_W / 2)) $((CARD_Y0 + ROW_STEP * (pos / 11) + CARD_H / 2))"
}

# click_card WIN POS [DY]: clicks the middle of a card (DY pixels below it), then parks the
# pointer off the window so that nothing is hover-lit in the next screenshot.
click_card() {
  local x y
  read -r x y <<<"$(card_centre "$2")"
  xdotool mousemove --window "$1" "$x" $((y + ${3:-0})) click 1 mousemove 2 2
  last_click_ms=$(now_ms)
}

# card_colour SHOT POS: the mean colour inside a card's border (gold on both backs) on a
# screenshot of the main window, as "R G B" in 0..255.
card_colour() {
  convert "$1[$(card_geometry "$2")]" +repage -crop "$((CARD_W - 8))x$((CARD_H - 8))+4+4" -scale '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# The unselected back is the dark blue one, the selected back the warm gold one.
is_unselected_colour() { local r g b; read -r r g b <<<"$1"; [ "$b" -gt $((r + 20)) ]; }
is_selected_colour() { local r g b; read -r r g b <<<"$1"; [ "$r" -gt $((b + 60)) ]; }

request_close() { python3 -I "$x_session_support/request-close.py" "$1"; }

shoot() { import -window "$1" "$2" 2>>"$tmp/import.log"; }
