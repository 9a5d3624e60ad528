#!/usr/bin/env bash
# One whole reading on a native Wayland desktop: the program on the toolkit's Wayland platform
# (no X server anywhere), under a headless sway. It starts, five picks open the reading, the
# compositor's close closes it, the table is laid anew, and closing the main window ends the
# program with exit code 0. The compositor places the windows itself, so where they land is not
# checked here (the X runs check the formulas).
#
# Usage: run-wayland.sh PATH-TO-MIRAVANE
# Needs sway, swaymsg, grim, ImageMagick (convert, compare), python3, and the toolkit's Wayland
# platform (qt6-wayland). As root, sway runs as the user nobody (it refuses to run as root).
# KEEP_SESSION=1 keeps the scratch folder with the screenshots.
# shellcheck disable=SC2317  # helpers called through wait_for or a trap
set -u

prog=${1:?usage: run-wayland.sh PATH-TO-MIRAVANE}
prog=$(realpath "$prog")
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/session.sh
. "$here/../support/session.sh" wayland
needs sway swaymsg grim convert compare python3 setpriv
readonly SCREEN_W=1280 SCREEN_H=1024
# The compositor's user must reach the scratch folder.
chmod 755 "$tmp"

# --- a headless sway of our own ----------------------------------------------

export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$tmp/home"
printf 'output HEADLESS-1 resolution %sx%s\n' "$SCREEN_W" "$SCREEN_H" >"$tmp/sway.conf"
as_compositor_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$XDG_RUNTIME_DIR" "$tmp/home"
  as_compositor_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u XDG_CACHE_HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$tmp/home" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_compositor_user[@]}" sway -c "$tmp/sway.conf" >"$tmp/sway.log" 2>&1 &
track_process $!
sway_ready() {
  SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'sway-ipc.*.sock' | head -n 1)
  WAYLAND_DISPLAY=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -printf '%f\n' | head -n 1)
  [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] && swaymsg -t get_version >/dev/null 2>&1
}
export SWAYSOCK WAYLAND_DISPLAY
wait_for 10 sway_ready || { fail "sway did not start: $(tail -n 3 "$tmp/sway.log" | tr '\n' ' ')"; finish "no compositor"; }
echo "# sway on $WAYLAND_DISPLAY"

# window TITLE: "X Y W H APP-ID" of the mapped window with exactly that title, in layout pixels.
window() {
  swaymsg -t get_tree | python3 -I -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1] and node.get("pid"):
        r, w = node["rect"], node["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], node.get("app_id"))
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)' "$1"
}
window_gone() { ! window "$1" >/dev/null; }
close_window() { swaymsg -q "[title=\"^$1\$\"] kill"; }

# --- the program, natively ----------------------------------------------------

start_program env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=wayland HOME="$tmp/home" "$prog"
main=
find_main() { main=$(window "$MAIN_TITLE") || program_exited; }
wait_for 10 find_main
[ -n "$main" ] || { fail "the main window did not appear on the Wayland display"; finish "no main window"; }
read -r main_x main_y main_w main_h app_id <<<"$main"
if [ "${main_w}x$main_h" = 627x409 ] && [ "$app_id" = "$APP_ID" ]; then
  pass "the main window appears natively on Wayland: 627x409, app id $app_id"
else
  fail "the main window is ${main_w}x$main_h with app id $app_id"
fi

card_point() { local x y; read -r x y <<<"$(card_centre "$1" "$main_x" "$main_y")"; echo "$x,$y"; }
# The compositor may still move the window just after it first shows it: each look takes its
# place anew. A window not drawn yet also shows 22 equal crops, so settled means the blue backs.
shot_settled() {
  read -r main_x main_y _ <<<"$(window "$MAIN_TITLE")"
  grim "$tmp/start.png" && convert "$tmp/start.png[$(card_geometry 0 "$main_x" "$main_y")]" +repage "$tmp/back.png" &&
    [ -z "$(cards_not_matching "$tmp/start.png" "$tmp/back.png" "$main_x" "$main_y")" ] &&
    is_unselected_colour "$(card_colour "$tmp/start.png" 0 "$main_x" "$main_y")"
}
if wait_for 10 shot_settled; then
  pass "all 22 cards lie face-down alike (the window at $main_x,$main_y)"
else
  fail "the table did not settle: cards $(cards_not_matching "$tmp/start.png" "$tmp/back.png" "$main_x" "$main_y") differ"
fi

# --- five picks, the reading, its close -----------------------------------------

points=()
for pos in 3 10 11 21 16; do points+=("$(card_point "$pos")"); done
python3 -I "$here/../support/wl-pointer.py" "${SCREEN_W}x$SCREEN_H" "${points[@]}" || fail "could not click"
reading=
find_reading() { reading=$(window "$READING_TITLE"); }
if wait_for 5 find_reading; then
  read -r _ _ reading_w reading_h _ <<<"$reading"
  if [ "${reading_w}x$reading_h" = 622x420 ]; then
    pass "five picks open the reading, 622x420"
  else
    fail "the reading is ${reading_w}x$reading_h, expected 622x420"
  fi
else
  fail "no reading within 5 s of the fifth pick"
  finish "no reading"
fi
grim "$tmp/reading.png"

close_window "$READING_TITLE"
if wait_for 5 window_gone "$READING_TITLE"; then
  pass "the compositor's close closes the reading"
else
  fail "the reading is still open 5 s after the compositor asked it to close"
  finish "reading stuck open"
fi
shot_cleared() { grim "$tmp/after.png" && [ -z "$(cards_not_matching "$tmp/after.png" "$tmp/back.png" "$main_x" "$main_y")" ]; }
# The reading covers the whole table: until the compositor has drawn the table again after it
# closed, every card looks wrong, and on a busy machine each look takes a while.
if wait_for 10 shot_cleared; then
  pass "after the reading all 22 cards lie face-down again"
else
  fail "after the reading, cards $(cards_not_matching "$tmp/after.png" "$tmp/back.png" "$main_x" "$main_y") are not face-down"
fi

# --- closing the main window ends the program -----------------------------------

close_window "$MAIN_TITLE"
if wait_for 5 program_exited; then
  wait "$prog_pid"
  rc=$?
  prog_pid=
  if [ "$rc" -eq 0 ]; then pass "closing the main window ends the program with exit code 0"; else fail "exit code $rc"; fi
else
  fail "the program still runs 5 s after its main window was asked to close"
fi
finish
