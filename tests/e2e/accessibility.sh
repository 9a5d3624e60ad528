#!/usr/bin/env bash
# What a screen reader learns of the card table, read through the desktop's accessibility bus
# (AT-SPI) the way one reads it: the main window and its banner link, every card by its place
# and state before and after a pick, the reading's pictures by their cards' titles, and the
# table laid anew when the reading closes.
#
# Usage: accessibility.sh PATH-TO-MIRAVANE
# Needs, beyond the X harness's tools, dbus-daemon, at-spi2-core and python3-pyatspi.

# shellcheck disable=SC2317  # helpers run through wait_for
set -u

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-TO-MIRAVANE (got: ${1:-nothing})" >&2
  exit 2
fi
prog=$1
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source-path=SCRIPTDIR source=../support/x-session.sh
. "$here/../support/x-session.sh" a11y
needs dbus-daemon

start_xvfb || exit 1
program_environment
# A session bus of our own, on which the accessibility bus is started when first asked for.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$tmp/bus-address" >"$tmp/bus.log" 2>&1 &
track_process $!
bus_ready() { [ -s "$tmp/bus-address" ]; }
wait_for 5 bus_ready || { echo "the session bus did not start"; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$tmp/bus-address")
# Without a screen reader running, Qt leaves its accessibility off unless told otherwise.
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_program "$prog"
wait_for 15 find_window "$MAIN_TITLE" >/dev/null || { echo "the main window did not open"; exit 1; }
main_win=$(find_window "$MAIN_TITLE")

# The tree as it is now, in $tmp/tree.
# Debian's own python, where python3-pyatspi lives, whatever python3 comes first on the PATH.
tree() { /usr/bin/python3 -I "$here/atspi-tree.py" Miravane >"$tmp/tree" 2>"$tmp/tree.err"; }
has() { grep -qxF -- "$1" "$tmp/tree"; }
count() { grep -c -- "$1" "$tmp/tree"; }
cards_say() {  # cards_say PICKED-POSITIONS...: every card's name matches the picks
  local pos state
  tree || return 1
  for pos in $(seq 0 21); do
    state='face down'
    [[ " $* " == *" $pos "* ]] && state=picked
    has "image	Card $((pos + 1)) of 22, $state	" || return 1
  done
}

check "the program is on the accessibility bus" wait_for 15 tree
# An application's top-level window is a "frame" in AT-SPI's terms.
check "the main window is a window named by its caption" has "frame	$MAIN_TITLE	"
check "the banner is a link to the maker's page, its hint as description" \
  has "link	www.miravane.example	Visita nuestra web"
check "all 22 cards are named by their place, face down" cards_say
echo "--- before a pick"; grep -E '^(frame	.|link|image)' "$tmp/tree"

click_card "$main_win" 6
check "a pick renames the card it turned" wait_for 5 cards_say 6
echo "--- after picking card 7"; grep -F 'Card 7 of' "$tmp/tree"

for pos in 0 21 11; do click_card "$main_win" "$pos"; done
check "every pick is named" wait_for 5 cards_say 6 0 21 11
click_card "$main_win" 3
reading_open() { find_window "$READING_TITLE" >/dev/null; }
check "the reading opens" wait_for 10 reading_open
reading_named() {
  tree || return 1
  has "dialog	$READING_TITLE	" || return 1
  # the slot pictures that show are named by the titles their labels show
  sed -n "/^dialog	/,\$p" "$tmp/tree" >"$tmp/reading-tree"
  local name shown=0
  while IFS=$'\t' read -r role name _; do
    [ "$role" = image ] || continue
    grep -qxF "label	$name	" "$tmp/reading-tree" || return 1
    shown=$((shown + 1))
  done <"$tmp/reading-tree"
  [ "$shown" -ge 1 ]
}
check "the reading's pictures are named by their cards' titles" wait_for 5 reading_named
echo "--- in the reading"; cat "$tmp/reading-tree"

request_close "$(find_window "$READING_TITLE")"
check "the reading closes" wait_for 10 window_gone "$READING_TITLE"
check "the table laid anew is named face down again" wait_for 5 cards_say

on_failure() { echo "--- last tree"; cat "$tmp/tree" "$tmp/tree.err"; }
finish
