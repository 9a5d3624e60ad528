#!/usr/bin/env bash
# One whole reading, driven through a private X server the way a user would:
# pick a card, pick it again, pick four more, close the reading, quit.
#
# Usage: run-e2e.sh PATH-TO-MIRAVANE
# Set KEEP_E2E_SHOTS=1 to keep the screenshots (their folder is printed).
#
# Needs Xvfb, xdotool, ImageMagick (import, convert, compare), ps and python3
# (only to ask the main window to close: xdotool has no way to send
# WM_DELETE_WINDOW, and without a window manager nothing else will).

# Many helpers below are only called through wait_for or a trap.
# shellcheck disable=SC2317

set -u

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-TO-MIRAVANE (got: ${1:-nothing})" >&2
  exit 2
fi
prog=$1

for tool in Xvfb xdotool import convert compare ps python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "missing tool: $tool" >&2
    exit 2
  fi
done

readonly MAIN_TITLE='Orvelle V 1.0 © miravane.example'
readonly MAIN_SIZE='627x409'
readonly MAIN_POS='198,179'          # centred on the 1024x768 screen below
readonly BOX_TITLE='Miravane'
readonly READING_TITLE='Interpretación de las cartas'
readonly READING_SIZE='622x420'

# Card geometry, relative to the main window's client origin.
readonly CARD_W=40 CARD_H=80
readonly CARD_X0=56 CARD_Y0=163 ROW_STEP=88
readonly COLS=(0 48 96 144 192 240 288 336 384 432 481)

passed=0
failed=0
tmp=$(mktemp -d "${TMPDIR:-/tmp}/miravane-e2e.XXXXXX")
xvfb_pid=
prog_pid=
main_win=

cleanup() {
  local rc=$?
  if [ -n "$prog_pid" ] && kill -0 "$prog_pid" 2>/dev/null; then
    kill "$prog_pid" 2>/dev/null
    wait "$prog_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [ -n "${KEEP_E2E_SHOTS:-}" ]; then
    echo "screenshots kept in $tmp"
  else
    rm -rf "$tmp"
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

pass() {
  passed=$((passed + 1))
  echo "ok   - $1"
}

fail() {
  failed=$((failed + 1))
  echo "FAIL - $1"
}

# Ends the run early: used when a failure leaves the program in a state
# where the remaining steps would only pile up meaningless failures.
finish() {
  if [ "$failed" -gt 0 ] && [ -n "${DISPLAY:-}" ]; then
    import -window root "$tmp/screen-at-end.png" 2>/dev/null
  fi
  if [ -n "${1:-}" ]; then
    echo "stopping: $1"
    if [ -s "$tmp/program.log" ]; then
      echo "--- program output (last lines) ---"
      tail -n 20 "$tmp/program.log"
      echo "---"
    fi
  fi
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

wait_for() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  while true; do
    "$@" && return 0
    [ "$(now_ms)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

program_running() {
  local state
  state=$(ps -o stat= -p "$prog_pid" 2>/dev/null) || return 1
  # An exited child stays a zombie until waited for.
  [[ $state != Z* ]]
}

program_exited() { ! program_running; }

# find_window TITLE: prints the id of the mapped window with exactly that title.
find_window() {
  local ids
  ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) || return 1
  [ -n "$ids" ] || return 1
  head -n 1 <<<"$ids"
}

window_gone() { ! find_window "$1" >/dev/null; }

window_size() {
  xdotool getwindowgeometry "$1" | awk '/Geometry:/ { print $2 }'
}

window_pos() {
  xdotool getwindowgeometry "$1" | awk '/Position:/ { print $2 }'
}

card_geometry() {
  local pos=$1
  echo "${CARD_W}x${CARD_H}+$((CARD_X0 + COLS[pos % 11]))+$((CARD_Y0 + ROW_STEP * (pos / 11)))"
}

# click_card POS [DY]: clicks the middle of a card, DY pixels below it.
click_card() {
  local pos=$1 dy=${2:-0}
  xdotool mousemove --window "$main_win" \
    $((CARD_X0 + COLS[pos % 11] + CARD_W / 2)) \
    $((CARD_Y0 + ROW_STEP * (pos / 11) + CARD_H / 2 + dy)) \
    click 1
  last_click_ms=$(now_ms)
  # Park the pointer off the window so it cannot hover-highlight anything
  # in the next screenshot.
  xdotool mousemove 2 2
}

shot_no=0
shot=
take_shot() {
  shot_no=$((shot_no + 1))
  shot="$tmp/shot-$(printf %02d "$shot_no")-$1.png"
  import -window "$main_win" "$shot" 2>>"$tmp/import.log"
}

# pixels_differing IMAGE[GEOMETRY] REFERENCE: number of differing pixels.
pixels_differing() {
  local out
  out=$(compare -metric AE "$1" "$2" null: 2>&1)
  # compare exits 2 on a real error (unreadable file, size mismatch).
  [ $? -le 1 ] || { echo "error: $out"; return 1; }
  echo "$out"
}

card_matches() { # card_matches IMAGE POS REFERENCE
  [ "$(pixels_differing "${1}[$(card_geometry "$2")]" "$3")" = 0 ]
}

# Lists the positions on the current shot whose card is not exactly REFERENCE.
cards_not_matching() {
  local pos bad=()
  for pos in $(seq 0 21); do
    card_matches "$shot" "$pos" "$1" || bad+=("$pos")
  done
  echo "${bad[*]}"
}

# Mean colour of a card's inside (the border is gold on both backs),
# as "R G B" in 0..255.
card_colour() {
  local g
  g=$(card_geometry "$1")
  convert "${shot}[$g]" +repage -crop "$((CARD_W - 8))x$((CARD_H - 8))+4+4" -scale '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

is_cool_colour() { local r g b; read -r r g b <<<"$1"; [ "$b" -gt $((r + 20)) ]; }
is_warm_colour() { local r g b; read -r r g b <<<"$1"; [ "$r" -gt $((b + 60)) ]; }

shot_until_card_differs() { # POS REFERENCE
  take_shot "after-click-$1" && ! card_matches "$shot" "$1" "$2"
}

shot_until_all_match() { # REFERENCE
  take_shot "after-reading" && [ -z "$(cards_not_matching "$1")" ]
}

# Asks the window to close the way a window manager's close button does.
request_close() { python3 -I "$(dirname "${BASH_SOURCE[0]}")/../support/request-close.py" "$1"; }

# --- private X server -------------------------------------------------------

# -displayfd lets the server pick a free display number itself and tell us
# once it accepts connections, so parallel runs cannot collide.
# -noreset: by default the server resets whenever its last client leaves,
# and refuses connections while it does; anything else on the machine that
# probes displays (to find a free one, say) would then make the program's
# own connection fail now and then.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
  3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { grep -q '^[0-9][0-9]*$' "$tmp/display" 2>/dev/null; }
if ! wait_for 10 display_ready; then
  fail "Xvfb did not start: $(tail -n 3 "$tmp/xvfb.log" | tr '\n' ' ')"
  finish "no X server"
fi
DISPLAY=":$(head -n 1 "$tmp/display")"
export DISPLAY
echo "# X server on $DISPLAY"

# Keep the host's settings from changing what the program draws.
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
  QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# --- a. the main window -----------------------------------------------------

"$prog" >"$tmp/program.log" 2>&1 &
prog_pid=$!

# Stops waiting early if the program has already ended.
find_main() { main_win=$(find_window "$MAIN_TITLE") || program_exited; }
if wait_for 10 find_main && [ -n "$main_win" ]; then
  pass "main window \"$MAIN_TITLE\" appears"
elif program_exited; then
  wait "$prog_pid"
  fail "the program ended (exit code $?) without showing its main window"
  prog_pid=
  finish "program gone"
else
  fail "main window \"$MAIN_TITLE\" did not appear within 10 s"
  finish "no main window"
fi

size=$(window_size "$main_win")
if [ "$size" = "$MAIN_SIZE" ]; then
  pass "main window is $MAIN_SIZE"
else
  fail "main window is ${size:-of unknown size}, expected $MAIN_SIZE"
fi

pos=$(window_pos "$main_win")
if [ "$pos" = "$MAIN_POS" ]; then
  pass "main window is centred on the screen (at $MAIN_POS)"
else
  fail "main window is at ${pos:-an unknown place}, expected $MAIN_POS (centred)"
fi

# --- b. 22 face-down cards, all unselected ----------------------------------

xdotool mousemove 2 2
back="$tmp/unselected-back.png"
# The window can be mapped a moment before its first paint reaches the
# screen, so give the table a little time to settle before judging it.
start_shot_settled() {
  take_shot start && convert "${shot}[$(card_geometry 0)]" +repage "$back" &&
    [ -z "$(cards_not_matching "$back")" ] && is_cool_colour "$(card_colour 0)"
}
wait_for 10 start_shot_settled
if [ -s "$back" ]; then
  differing=$(cards_not_matching "$back")
  if [ -z "$differing" ]; then
    pass "all 22 cards show the same back"
  else
    fail "cards at positions $differing differ from the card at position 0"
  fi
  colour=$(card_colour 0)
  if is_cool_colour "$colour"; then
    pass "the starting back is the dark blue (unselected) one (mean RGB $colour)"
  else
    fail "the starting back is not the dark blue one (mean RGB $colour)"
  fi
else
  fail "could not take a screenshot of the main window"
  finish "no screenshot"
fi

# --- c. pick a card, then pick it again -------------------------------------

first=3
click_card "$first"
if wait_for 3 shot_until_card_differs "$first" "$back"; then
  colour=$(card_colour "$first")
  if is_warm_colour "$colour"; then
    pass "clicked card $first turns to the gold (selected) back (mean RGB $colour)"
  else
    fail "clicked card $first changed but is not the gold back (mean RGB $colour)"
  fi
else
  fail "card $first still shows the unselected back 3 s after being clicked"
fi
others=$(cards_not_matching "$back" | tr ' ' '\n' | grep -vx "$first" | tr '\n' ' ')
if [ -z "${others// /}" ]; then
  pass "no other card changed"
else
  fail "clicking card $first changed cards at positions ${others% }"
fi

# A second press close in time and place would be a double-click, which is
# a different gesture; make this one an ordinary click on the same card:
# beyond Qt's default 400 ms interval and 5 px distance.
wait_ms=$((last_click_ms + 600 - $(now_ms)))
if [ "$wait_ms" -gt 0 ]; then
  sleep "$(printf '0.%03d' "$wait_ms")"
fi
click_card "$first" -20
find_box() { box_win=$(find_window "$BOX_TITLE"); }
box_win=
if wait_for 5 find_box; then
  pass "clicking card $first again opens the \"$BOX_TITLE\" message box"
else
  fail "no \"$BOX_TITLE\" message box within 5 s of clicking a picked card again"
  finish "message box missing"
fi

xdotool windowfocus "$box_win" 2>/dev/null
xdotool key Return
if wait_for 5 window_gone "$BOX_TITLE"; then
  pass "Enter closes the message box"
else
  fail "the message box is still open 5 s after Enter"
  finish "message box stuck open"
fi

if program_running; then
  pass "the program is still running after the message box"
else
  fail "the program ended after the message box"
  finish "program gone"
fi

# --- d. four more picks bring up the reading --------------------------------

# Both rows, both ends, and the last column (which sits one pixel further right).
more=(10 11 21 16)
for pos in "${more[@]:0:3}"; do
  click_card "$pos"
  if wait_for 3 shot_until_card_differs "$pos" "$back"; then
    pass "card $pos turns selected"
  else
    fail "card $pos still shows the unselected back 3 s after being clicked"
  fi
  if window_gone "$READING_TITLE"; then
    :
  else
    fail "the reading opened before the fifth pick (after card $pos)"
  fi
done

click_card "${more[3]}"
find_reading() { reading_win=$(find_window "$READING_TITLE"); }
reading_win=
if wait_for 5 find_reading; then
  pass "the fifth pick opens \"$READING_TITLE\""
else
  fail "no \"$READING_TITLE\" window within 5 s of the fifth pick"
  finish "reading window missing"
fi

size=$(window_size "$reading_win")
if [ "$size" = "$READING_SIZE" ]; then
  pass "the reading window is $READING_SIZE"
else
  fail "the reading window is ${size:-of unknown size}, expected $READING_SIZE"
fi

xdotool windowfocus "$reading_win" 2>/dev/null
xdotool key Return
if wait_for 5 window_gone "$READING_TITLE"; then
  pass "Enter closes the reading window"
else
  fail "the reading window is still open 5 s after Enter"
  finish "reading window stuck open"
fi

if wait_for 3 shot_until_all_match "$back"; then
  pass "after the reading all 22 cards show the unselected back again"
else
  fail "after the reading, cards at positions $(cards_not_matching "$back") are not the unselected back"
fi

# --- e. closing the main window ends the program ----------------------------

if ! program_running; then
  fail "the program ended before being asked to close"
  finish "program gone"
fi

if ! request_close "$main_win"; then
  fail "could not send WM_DELETE_WINDOW to the main window"
  finish "cannot close"
fi
if wait_for 5 program_exited; then
  wait "$prog_pid"
  rc=$?
  prog_pid=
  if [ "$rc" -eq 0 ]; then
    pass "closing the main window ends the program with exit code 0"
  else
    fail "closing the main window ends the program with exit code $rc"
  fi
else
  fail "the program is still running 5 s after its main window was asked to close"
fi

finish
