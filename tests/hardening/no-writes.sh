#!/usr/bin/env bash
# One whole reading on the real program under strace, on a private Xvfb: five picks, Enter on the
# reading, then the main window's close box. The program must open no file for writing, create,
# rename or remove nothing, start no other program, and connect to nothing but the X server
# (no-writes-check.py says exactly what is allowed, and why).
#
# Usage: no-writes.sh PATH-TO-MIRAVANE
# Needs Xvfb, xdotool, strace, ps and python3.  NO_WRITES_KEEP=dir keeps the strace log there.
# shellcheck disable=SC2317  # helpers called through wait_for or a trap
set -u

prog=${1:?usage: no-writes.sh PATH-TO-MIRAVANE}
# shellcheck source-path=SCRIPTDIR source=../support/x-session.sh
. "$(dirname "$0")/../support/x-session.sh" no-writes
keep_log() { if [ -n "${NO_WRITES_KEEP:-}" ]; then cp "$tmp/strace.log" "$NO_WRITES_KEEP/" 2>/dev/null; fi; }

start_xvfb || exit 1
program_environment
# No session bus, as on a console login or in a bare X session: the program must not start one
# (libdbus would exec dbus-launch, which starts a bus and writes ~/.dbus).
unset DBUS_SESSION_BUS_ADDRESS
calls=open,openat,openat2,creat,connect,socket,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,execve
start_program strace -f -qq -yy -s 512 -e trace="$calls" -o "$tmp/strace.log" "$prog"

step() { echo "# $*"; }
die() { keep_log; echo "FAIL - $*"; [ -s "$tmp/program.log" ] && tail -n 20 "$tmp/program.log"; exit 1; }

find_main() { main_win=$(find_window "$MAIN_TITLE"); }
wait_for 20 find_main || die "the main window did not appear"
step "main window $main_win on $DISPLAY"
sleep 0.5
for pos in 2 7 11 15 20; do
  click_card "$main_win" "$pos"
  sleep 0.7  # past the double-click interval, so that each is a click of its own
done
find_reading() { reading_win=$(find_window "$READING_TITLE"); }
wait_for 10 find_reading || die "the reading did not open after five picks"
step "reading $reading_win open"
xdotool windowfocus "$reading_win" 2>/dev/null
sleep 0.3
xdotool key Return
wait_for 10 window_gone "$READING_TITLE" || die "Enter did not close the reading"
step "reading closed"
request_close "$main_win"
program_gone() { ! process_alive "$prog_pid"; }
if wait_for 10 program_gone; then
  wait "$prog_pid"
  step "the program ended with status $? when its window closed"
else
  kill "$prog_pid"
  wait "$prog_pid" 2>/dev/null
  step "the program was still running 10 s after its window closed; ended it"
fi
prog_pid=

keep_log
python3 -I "$(dirname "$0")/no-writes-check.py" "$tmp/strace.log" "$display_number" "$tmp" "$prog"
