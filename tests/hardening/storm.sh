#!/usr/bin/env bash
# A storm of input on the real program for STORM_SECONDS (60 in CI, 8 otherwise), on a private Xvfb with
# no window manager: random clicks and double-clicks on cards and on the banner, Enter, Space and
# Esc, and now and then the reading's close box. Throughout, it must never show two reading
# windows at once nor more than five picked cards, and at the end it must still be running.
#
# Usage: storm.sh PATH-TO-MIRAVANE
# Needs Xvfb, xdotool, ImageMagick (import, convert), ps and python3.
# shellcheck disable=SC2317  # helpers called through wait_for or a trap
set -u

prog=${1:?usage: storm.sh PATH-TO-MIRAVANE}
# A full minute in CI; a short burst in a developer's plain `make test`.
if [ "${CI:-}" = true ]; then seconds=${STORM_SECONDS:-60}; else seconds=${STORM_SECONDS:-8}; fi
# shellcheck source-path=SCRIPTDIR source=../support/x-session.sh
. "$(dirname "$0")/../support/x-session.sh" storm

poller_pid=''

start_xvfb || exit 1
program_environment
start_program "$prog"
find_main() { main_win=$(find_window "$MAIN_TITLE"); }
wait_for 10 find_main || { echo "the main window did not appear"; cat "$tmp/program.log"; exit 1; }

shot() { import -window "$main_win" -depth 8 "$tmp/shot.ppm" 2>/dev/null; }
# A digest of each card's pixels on the last shot, one line per position.
# shellcheck disable=SC2046  # one argument per card
card_signatures() { python3 -I "$(dirname "$0")/card-crops.py" $(card_geometries) <"$tmp/shot.ppm"; }

# Reference crops, taken from the program itself: the unselected back at the start, then the
# selected one once the first card is picked.
xdotool mousemove 2 2
blue_back() { is_unselected_colour "$(card_colour "$tmp/shot.ppm" 0)"; }
# A window not painted yet also shows 22 equal (black) crops, so settled means painted too.
first_shot_settled() { shot && [ "$(card_signatures | sort -u | wc -l)" = 1 ] && blue_back; }
wait_for 10 first_shot_settled || true
shot && [ "$(card_signatures | sort -u | wc -l)" = 1 ] || { fail "the table did not settle to 22 equal backs"; exit 1; }
unselected=$(card_signatures | head -n 1)
blue_back || fail "the cards at the start are not the dark blue back (mean RGB $(card_colour "$tmp/shot.ppm" 0))"
click_card "$main_win" 0
selected_shown() { shot && selected=$(card_signatures | head -n 1) && [ "$selected" != "$unselected" ]; }
wait_for 5 selected_shown || { fail "the first pick did not turn its card"; exit 1; }
colour=$(card_colour "$tmp/shot.ppm" 0)
is_selected_colour "$colour" || fail "the picked card is not the gold back (mean RGB $colour)"

# Counts the reading windows on screen, all the time, in the background.
poll_readings() {
  local n
  while :; do
    n=$(count_windows "$READING_TITLE")
    echo "$n" >>"$tmp/reading-counts"
    sleep 0.05
  done
}
poll_readings &
poller_pid=$!
track_process "$poller_pid"

focus_top() {
  local w
  w=$(find_window "$READING_TITLE") || w=$(find_window "$BOX_TITLE") || w=$main_win
  xdotool windowfocus "$w" 2>/dev/null
}

actions=0 shots=0 most_picked=1 closes=0 banner_clicks=0
deadline=$(($(now_ms) + seconds * 1000))
# A short storm on a busy machine may not get to a reading in time: it goes on until one has
# opened, for at most three times as long.
longest=$(($(now_ms) + 3 * seconds * 1000))
a_reading_opened() { grep -qx 1 "$tmp/reading-counts" 2>/dev/null; }
storming() { local now; now=$(now_ms); ((now < deadline)) || { ((now < longest)) && ! a_reading_opened; }; }
while storming; do
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    roll=$((RANDOM % 100))
    pos=$((RANDOM % 22))
    read -r x y <<<"$(card_centre "$pos")"
    if ((roll < 30)); then
      xdotool mousemove --window "$main_win" "$x" "$y" click 1
    elif ((roll < 40)); then
      # Straight to the main window even where another window covers it, as if the reading had
      # been moved aside: while a reading or a message is up, the table must take no pick.
      xdotool mousemove --window "$main_win" "$x" "$y" click --window "$main_win" 1
    elif ((roll < 55)); then
      xdotool mousemove --window "$main_win" "$x" "$y" click --repeat 2 --delay 40 1
    elif ((roll < 58)); then
      xdotool mousemove --window "$main_win" "$BANNER_X" "$BANNER_Y" click 1
      banner_clicks=$((banner_clicks + 1))
    elif ((roll < 90)); then
      focus_top
      keys=(Return space Escape)
      xdotool key "${keys[RANDOM % 3]}"
    elif w=$(find_window "$READING_TITLE"); then
      request_close "$w" && closes=$((closes + 1))
    fi
    actions=$((actions + 1))
    sleep "0.0$((RANDOM % 5 + 1))"
  done
  if ! process_alive "$prog_pid"; then
    fail "the program ended during the storm, after $actions actions"
    break
  fi
  # The cards on show: covered ones (under a window) match neither back and are not counted.
  xdotool mousemove 2 2
  if shot; then
    shots=$((shots + 1))
    picked=$(card_signatures | grep -cx "$selected")
    ((picked > most_picked)) && most_picked=$picked
    if ((picked > 5)); then
      fail "$picked cards show the selected back at once"
      convert "$tmp/shot.ppm" "${TMPDIR:-/tmp}/miravane-storm-too-many-picks.png"
    fi
  fi
done

seconds_taken=$(($(now_ms) - deadline + seconds * 1000))
kill "$poller_pid" 2>/dev/null
wait "$poller_pid" 2>/dev/null
poller_pid=
polls=$(grep -c . "$tmp/reading-counts")
most_readings=$(sort -n "$tmp/reading-counts" | tail -n 1)
times_open=$(grep -cx 1 "$tmp/reading-counts")

process_alive "$prog_pid" || fail "the program is not running after the storm"
((most_readings <= 1)) || fail "$most_readings reading windows were on screen at once"
((polls > 4 * seconds)) || fail "the reading windows were counted only $polls times"
((times_open > 0)) || fail "no reading ever opened: the storm did not reach the fifth pick"
[ ! -s "$tmp/program.log" ] || { echo "--- program output ---"; tail -n 20 "$tmp/program.log"; }
echo "# $actions actions in $((seconds_taken / 1000)) s ($banner_clicks on the banner, $closes close boxes), $shots shots:" \
  "at most $most_picked picked cards; $polls counts of reading windows, open in $times_open, at most $most_readings;" \
  "pages asked for: $(sort -u "$tmp/opened-pages" 2>/dev/null | tr '\n' ' ')"
((failed > 0)) || pass "through the storm: never two readings nor six picks, and the program still runs"
finish
