#!/usr/bin/env bash
# What a screen reader learns of the card table, read through the desktop's accessibility bus
# (AT-SPI) the way one reads it: the main window and its banner link, every card in table order
# by its place and state, before and after a pick by mouse or by its press action, the refusal
# box, the reading (each title, its heading, its meaning) with no hidden picture holder or named
# panel in the tree, and the table laid anew when the reading closes.
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
# A session bus of our own, on which the accessibility bus is started when first asked for, where
# a desktop session has it and libdbus looks when no address is given: $XDG_RUNTIME_DIR/bus. No
# address is given; the program and the screen reader's side both find it there.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" >"$tmp/bus.log" 2>&1 &
track_process $!
bus_ready() { [ -S "$XDG_RUNTIME_DIR/bus" ]; }
wait_for 5 bus_ready || { echo "the session bus did not start"; exit 1; }
unset DBUS_SESSION_BUS_ADDRESS
# Without a screen reader running, Qt leaves its accessibility off unless told otherwise.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_program "$prog"
wait_for 15 find_window "$MAIN_TITLE" >/dev/null || { echo "the main window did not open"; exit 1; }
main_win=$(find_window "$MAIN_TITLE")

# The tree as it is now, in $tmp/tree (hidden objects too in $tmp/tree-all); press does an
# object's action as a screen reader does. Debian's own python, where python3-pyatspi lives,
# whatever python3 comes first on the PATH.
atspi() { /usr/bin/python3 -I "$here/atspi-tree.py" "$@"; }
tree() { atspi Miravane >"$tmp/tree" 2>"$tmp/tree.err"; }
tree_all() { atspi --all Miravane >"$tmp/tree-all" 2>"$tmp/tree.err"; }
press() { atspi --press "$1" Miravane 2>>"$tmp/tree.err"; }
has() { cut -f1-3 "$tmp/tree" | grep -qxF -- "$1"; }
card_says() {  # card_says POS STATE: its one action the press, selected if picked, never focusable
  local states=selectable
  [ "$2" = picked ] && states=selected,selectable
  grep -qxF -- "image	Card $(($1 + 1)) of 22, $2		Press	$states		-" "$tmp/tree"
}
cards_say() {  # cards_say PICKED-POSITIONS...: every card's name and state match the picks
  local pos state
  tree || return 1
  for pos in $(seq 0 21); do
    state='face down'
    [[ " $* " == *" $pos "* ]] && state=picked
    card_says "$pos" "$state" || return 1
  done
}
table_order() {  # the cards come row by row, each row left to right
  [ "$(awk -F'\t' '$1 == "image" && $2 ~ /^Card / { sub(/ of 22.*/, "", $2); print $2 }' "$tmp/tree" | tr '\n' ' ')" = \
    "$(printf 'Card %d ' $(seq 1 22))" ]
}
quiet() {  # quiet FILE N: N pictures (or links), none hidden or nameless; one frame at most; panels nameless
  [ "$(awk -F'\t' '$1 == "image" || $1 == "link"' "$1" | wc -l)" = "$2" ] &&
    ! awk -F'\t' '($1 == "image" && ($2 == "" || $5 ~ /hidden/)) || ($1 == "panel" && $2 != "") ||
      ($1 == "frame" && n++)' "$1" | grep -q .
}

check "the program is on the accessibility bus" wait_for 15 tree
# An application's top-level window is a "frame" in AT-SPI's terms.
check "the main window is a window named by its caption" has "frame	$MAIN_TITLE	"
check "the banner is a link to the maker's page, its hint as description" \
  has "link	www.miravane.example	Visita nuestra web"
check "all 22 cards are named by their place, face down, each with the press action alone" cards_say
check "the cards come in table order, row by row" table_order
tree_all
check "no hidden picture holder of the table, no frame but the window, no panel named" quiet "$tmp/tree-all" 23
echo "--- before a pick"; grep -E '^(frame	.|link|image)' "$tmp/tree"

click_card "$main_win" 6
check "a click picks the card: renamed and selected" wait_for 5 cards_say 6
echo "--- after picking card 7"; grep -F 'Card 7 of' "$tmp/tree"

press "Card 7 of 22, picked"
box_open() { find_window "$BOX_TITLE" >/dev/null; }
check "the press action on a picked card opens the \"$BOX_TITLE\" box" wait_for 5 box_open
box_read() { tree && has "alert	$BOX_TITLE	" && has "label	The card is already selected, please, choose another one	"; }
check "the box reads its refusal" wait_for 5 box_read
press OK
check "the box's OK closes it" wait_for 5 window_gone "$BOX_TITLE"

for pos in 0 21 11; do press "Card $((pos + 1)) of 22, face down"; done
check "the press action picks as a click does" wait_for 5 cards_say 6 0 21 11
press "Card 4 of 22, face down"
reading_open() { find_window "$READING_TITLE" >/dev/null; }
check "the fifth pick, through the press action, opens the reading" wait_for 10 reading_open
reading_named() {
  tree || return 1
  cut -f1-2 "$tmp/tree" | grep -qxF "dialog	$READING_TITLE" || return 1
  # the slot pictures that show are named by the titles their labels show
  sed -n "/^dialog	/,\$p" "$tmp/tree" >"$tmp/reading-tree"
  cut -f1-2 "$tmp/reading-tree" >"$tmp/reading-names"
  local name shown=0
  while IFS=$'\t' read -r role name _; do
    [ "$role" = image ] || continue
    grep -qxF "label	$name" "$tmp/reading-names" || return 1
    shown=$((shown + 1))
  done <"$tmp/reading-tree"
  [ "$shown" -ge 1 ]
}
check "the reading's pictures are named by their cards' titles" wait_for 5 reading_named
echo "--- in the reading"; cut -f1-3,6 "$tmp/reading-tree"

# Slot by slot: the face, named by its title; the title, captioning it; the heading of the meaning;
# the meaning, its text exposed. The window's description, which a screen reader reads as it
# opens, says each title, its heading and its meaning in that order.
reading_in_order() {
  awk -F'\t' -v H=" What you have to do:| What plays against you:| Who will judge:| The sentence will be:| Summarizing:" '
    BEGIN { split(H, head, "|"); k = 1; expect = "face" }
    $1 == "dialog" { desc = $3; next }
    $1 == "heading" && $2 == "\\nHere it is your Tarot reading:" { said = "Here it is your Tarot reading:"; next }
    $1 != "image" && $1 != "label" && $1 != "heading" { next }
    expect == "face" && $1 == "image" { title = $2; expect = "title"; next }
    expect == "title" && $1 == "label" && $2 == title && $6 == "label-for:" title && $7 == title { expect = "heading"; next }
    expect == "heading" && $1 == "heading" && $2 == head[k] && $7 == head[k] { caption = $6; expect = "meaning"; next }
    expect == "meaning" && $1 == "label" && $2 != "" && $7 == $2 && $6 == "labelled-by:" head[k] && caption == "label-for:" $2 {
      h = head[k]; sub(/^ /, "", h); said = said " " title ". " h " " $2; k++; expect = "face"; next }
    { bad = 1; print "out of order: " $0 }
    END { exit !(!bad && k == 6 && expect == "face" && said != "" && desc == said) }' "$tmp/reading-tree"
}
check "the reading reads, slot by slot, the title, its heading, its meaning" reading_in_order
tree_all
sed -n "/^dialog	/,\$p" "$tmp/tree-all" >"$tmp/reading-all"
check "the reading's tree: its five faces named, none of its 22 hidden holders, no panel named" \
  quiet "$tmp/reading-all" 5

request_close "$(find_window "$READING_TITLE")"
check "the reading closes" wait_for 10 window_gone "$READING_TITLE"
check "the table laid anew is named face down again" wait_for 5 cards_say

# The banner's press opens the maker's page; the browser gets the program's environment as given.
press www.miravane.example
asked() { [ -s "$tmp/browser-environment" ]; }
check "the banner's press asks for the maker's page" wait_for 5 asked
check "the browser gets the environment the program was started with" \
  cmp -s <(environment_of "$prog_pid") "$tmp/browser-environment"

on_failure() { echo "--- last tree"; cat "$tmp/tree" "$tmp/tree.err"; }
finish
