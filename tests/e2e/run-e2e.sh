#!/usr/bin/env bash
# One whole reading, driven through a private X server the way a user would:
# pick a card, pick it again, pick four more, close the reading, quit. Each of
# the three windows must land where its formula puts its outer rectangle, frame
# included, and under a window manager have a fixed frame.
#
# Usage: run-e2e.sh PATH-TO-MIRAVANE [WINDOW-MANAGER]
#   WINDOW-MANAGER: openbox, fluxbox, icewm, metacity, marco, xfwm4, mutter, kwin or
#   wmaker (tests/support/x-session.sh starts it); without one the windows have no frame at all.
# Set KEEP_SESSION=1 to keep the screenshots (their folder is printed).
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
window_manager=${2:-}

# shellcheck source-path=SCRIPTDIR source=../support/x-session.sh
. "$(dirname "$0")/../support/x-session.sh" e2e
needs import convert compare xprop xwininfo

main_win=

program_running() { process_alive "$prog_pid"; }

shot_no=0
shot=
take_shot() {
  shot_no=$((shot_no + 1))
  shot="$tmp/shot-$(printf %02d "$shot_no")-$1.png"
  shoot "$main_win" "$shot"
}

shot_until_card_differs() { # POS REFERENCE
  take_shot "after-click-$1" && ! card_matches "$shot" "$1" "$2"
}

shot_until_all_match() { # REFERENCE
  take_shot "after-reading" && [ -z "$(cards_not_matching "$shot" "$1")" ]
}

# centred SPACE EXTENT ORIGIN: the window's outer edge, centred with a truncating
# division and never before 0.
centred() { local at=$(($3 + ($1 - $2) / 2)); echo $((at < 0 ? 0 : at)); }

# check_outer_at NAME WIN X Y: the window's outer top-left corner is at X,Y.
check_outer_at() {
  local x y w h
  read -r x y w h <<<"$(outer_geometry "$2")"
  if [ "$x,$y" = "$3,$4" ]; then
    pass "$1 is where its formula puts it: outer ${w}x$h at $x,$y"
  else
    fail "$1 has its outer ${w}x$h at $x,$y; its formula puts it at $3,$4"
  fi
}

# check_fixed_frame NAME WIN: the window asks for the fixed dialog frame, in the Motif hints that
# window managers read (functions: move and close; decorations: border, title and menu), and
# under a window manager it can be neither resized nor maximised, and can be closed.
check_fixed_frame() {
  local hints
  hints=$(xprop -id "$2" -notype _MOTIF_WM_HINTS 2>/dev/null)
  if [ "$hints" = "_MOTIF_WM_HINTS = 0x3, 0x24, 0x1a, 0x0, 0x0" ]; then
    pass "$1 asks for a fixed dialog frame: moved and closed only"
  else
    fail "$1 asks for another frame: ${hints:-no Motif hints}"
  fi
  [ -n "$window_manager" ] || return 0
  local actions
  actions=$(xprop -id "$2" -notype _NET_WM_ALLOWED_ACTIONS 2>/dev/null)
  if [[ $actions == *_NET_WM_ACTION_CLOSE* && $actions != *RESIZE* && $actions != *MAXIMIZE* ]]; then
    pass "$1 has a fixed frame under $window_manager: closes, never resizes or maximises"
  else
    fail "$1 under $window_manager allows: ${actions#*= }"
  fi
}

# --- private X server -------------------------------------------------------

start_xvfb || { fail "$(tail -n 1 "$tmp/xvfb.log")"; finish "no X server"; }
echo "# X server on $DISPLAY"
program_environment
if [ -n "$window_manager" ]; then
  start_window_manager "$window_manager" || { fail "no window manager"; finish "no $window_manager"; }
  echo "# $window_manager manages the windows"
fi
read -r screen_w screen_h <<<"$(screen_size)"

# --- a. the main window -----------------------------------------------------

# In the C locale, as on a machine that sets no LANG, or where LC_ALL=C overrides every other
# locale variable: the title must still reach the desktop whole, "©" included, in both its
# properties. The runs without and with a window manager take one each.
if [ -n "$window_manager" ]; then locale=(LC_ALL=C); else locale=(-u LC_ALL -u LC_CTYPE LANG=C); fi
# Without a window manager, the root keeps what one that has crashed leaves behind: its check
# window gone, what it offered still listed. The program must not take it for one that runs, nor
# ask it for frames (xev sees every request sent to the root).
if [ -z "$window_manager" ]; then
  start_window_manager openbox || { fail "no window manager to crash"; finish "no openbox"; }
  kill -KILL "${session_pids[-1]}"
  wm_gone() { ! xwininfo -id "$(xprop -root -notype _NET_SUPPORTING_WM_CHECK | awk '{ print $NF }')" >/dev/null 2>&1; }
  wait_for 5 wm_gone || fail "the crashed window manager's check window is still there"
  stdbuf -oL xev -root -event substructure >"$tmp/root-events" 2>&1 &
  track_process $!
fi
start_program env "${locale[@]}" "$prog"

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

# Both title properties: the UTF-8 one, and the legacy one older title bars show.
titles=$(x_tool xprop -id "$main_win" -notype WM_NAME _NET_WM_NAME)
if [ "$titles" = "WM_NAME = \"$MAIN_TITLE\"
_NET_WM_NAME = \"$MAIN_TITLE\"" ]; then
  pass "in the C locale (${locale[*]}) both title properties hold the title, \"©\" included"
else
  fail "the title properties are not the title: $titles"
fi

size=$(window_size "$main_win")
if [ "$size" = "$MAIN_SIZE" ]; then
  pass "main window is $MAIN_SIZE"
else
  fail "main window is ${size:-of unknown size}, expected $MAIN_SIZE"
fi

read -r main_x main_y main_w main_h <<<"$(outer_geometry "$main_win")"
check_outer_at "the main window, centred on the screen," "$main_win" \
  "$(centred "$screen_w" "$main_w" 0)" "$(centred "$screen_h" "$main_h" 0)"
check_fixed_frame "the main window" "$main_win"
if [ -n "$window_manager" ]; then
  state=$(xprop -id "$main_win" -notype _NET_WM_WINDOW_TYPE _NET_WM_STATE 2>/dev/null)
  if [[ $state == *_NET_WM_WINDOW_TYPE_NORMAL* && $state != *SKIP_TASKBAR* ]]; then
    pass "the main window keeps its task-bar entry (a normal window, not skipped)"
  else
    fail "the main window would leave the task bar: $state"
  fi
fi

# --- b. 22 face-down cards, all unselected ----------------------------------

xdotool mousemove 2 2
back="$tmp/unselected-back.png"
# The window can be mapped a moment before its first paint reaches the
# screen, so give the table a little time to settle before judging it.
start_shot_settled() {
  take_shot start && convert "${shot}[$(card_geometry 0)]" +repage "$back" &&
    [ -z "$(cards_not_matching "$shot" "$back")" ] && is_unselected_colour "$(card_colour "$shot" 0)"
}
wait_for 10 start_shot_settled
if [ -s "$back" ]; then
  differing=$(cards_not_matching "$shot" "$back")
  if [ -z "$differing" ]; then
    pass "all 22 cards show the same back"
  else
    fail "cards at positions $differing differ from the card at position 0"
  fi
  colour=$(card_colour "$shot" 0)
  if is_unselected_colour "$colour"; then
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
click_card "$main_win" "$first"
if wait_for 10 shot_until_card_differs "$first" "$back"; then
  colour=$(card_colour "$shot" "$first")
  if is_selected_colour "$colour"; then
    pass "clicked card $first turns to the gold (selected) back (mean RGB $colour)"
  else
    fail "clicked card $first changed but is not the gold back (mean RGB $colour)"
  fi
else
  fail "card $first still shows the unselected back 10 s after being clicked"
fi
others=$(cards_not_matching "$shot" "$back" | tr ' ' '\n' | grep -vx "$first" | tr '\n' ' ')
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
click_card "$main_win" "$first" -20
find_box() { box_win=$(find_window "$BOX_TITLE"); }
box_win=
if wait_for 5 find_box; then
  pass "clicking card $first again opens the \"$BOX_TITLE\" message box"
else
  fail "no \"$BOX_TITLE\" message box within 5 s of clicking a picked card again"
  finish "message box missing"
fi
# The first box of the run: the one that was placed before its size was known.
read -r _ _ box_w box_h <<<"$(outer_geometry "$box_win")"
check_outer_at "the message box, centred on the screen," "$box_win" \
  "$(centred "$screen_w" "$box_w" 0)" "$(centred "$screen_h" "$box_h" 0)"
check_fixed_frame "the message box" "$box_win"

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
  click_card "$main_win" "$pos"
  if wait_for 10 shot_until_card_differs "$pos" "$back"; then
    pass "card $pos turns selected"
  else
    fail "card $pos still shows the unselected back 10 s after being clicked"
  fi
  if window_gone "$READING_TITLE"; then
    :
  else
    fail "the reading opened before the fifth pick (after card $pos)"
  fi
done

click_card "$main_win" "${more[3]}"
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
read -r _ _ reading_w reading_h <<<"$(outer_geometry "$reading_win")"
check_outer_at "the reading, centred over the main window," "$reading_win" \
  "$(centred "$main_w" "$reading_w" "$main_x")" "$(centred "$main_h" "$reading_h" "$main_y")"
check_fixed_frame "the reading" "$reading_win"

xdotool windowfocus "$reading_win" 2>/dev/null
xdotool key Return
if wait_for 5 window_gone "$READING_TITLE"; then
  pass "Enter closes the reading window"
else
  fail "the reading window is still open 5 s after Enter"
  finish "reading window stuck open"
fi

if wait_for 10 shot_until_all_match "$back"; then
  pass "after the reading all 22 cards show the unselected back again"
else
  fail "after the reading, cards at positions $(cards_not_matching "$shot" "$back") are not the unselected back"
fi

# --- e. the banner opens the maker's page, with the environment as given ----

xdotool mousemove --window "$main_win" "$BANNER_X" "$BANNER_Y" click 1 mousemove 2 2
asked() { [ -s "$tmp/browser-environment" ]; }
if wait_for 5 asked; then
  pass "a click on the banner asks the desktop to open $(head -n 1 "$tmp/opened-pages")"
  if cmp -s <(environment_of "$prog_pid") "$tmp/browser-environment"; then
    pass "the browser gets the environment the program was started with"
  else
    fail "the browser's environment is not the program's: $(diff <(environment_of "$prog_pid") \
      "$tmp/browser-environment" | grep '^[<>]' | tr '\n' ' ')"
  fi
else
  fail "a click on the banner asked for no page within 5 s"
fi

if [ -z "$window_manager" ]; then
  if grep -q _NET_REQUEST_FRAME_EXTENTS "$tmp/root-events"; then
    fail "the leftovers of a window manager that has gone were taken for one: frames were asked for"
  else
    pass "the leftovers of a window manager that has gone are not taken for one"
  fi
fi

# --- f. closing the main window ends the program ----------------------------

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
