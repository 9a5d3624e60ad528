# Shared by the scripts that drive the real program on a private X server (sourced, not run).
# The caller sets $tmp (a scratch folder it removes) before sourcing.
# shellcheck shell=bash disable=SC2034,SC2154,SC2317  # variables are the sourcing script's; helpers run through wait_for

readonly MAIN_TITLE='Orvelle V 1.0 © miravane.example'
readonly READING_TITLE='Interpretación de las cartas'
readonly BOX_TITLE='Miravane'
# Where things are in the main window's client area.
readonly CARD_W=40 CARD_H=80 CARD_X0=56 CARD_Y0=163 ROW_STEP=88
readonly COLS=(0 48 96 144 192 240 288 336 384 432 481)
readonly BANNER_X=313 BANNER_Y=45
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_for() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    [ "$(now_ms)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# Starts Xvfb on a display number of its own choosing; sets DISPLAY and xvfb_pid.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
  xvfb_pid=$!
  display_ready() { grep -q '^[0-9][0-9]*$' "$tmp/display" 2>/dev/null; }
  wait_for 10 display_ready || { echo "Xvfb did not start: $(tail -n 3 "$tmp/xvfb.log")"; return 1; }
  display_number=$(head -n 1 "$tmp/display")
  export DISPLAY=":$display_number"
}

# The environment the program under test runs in: the X server only, nothing of the host's
# desktop session, a home folder of its own (so that a program that did write would not touch
# the developer's), and a stub in place of the browser launcher so that a click on the banner
# opens nothing; the stub notes each page it was asked for in $tmp/opened-pages.
program_environment() {
  unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER DESKTOP_SESSION XDG_CURRENT_DESKTOP \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME DEFAULT_BROWSER
  export QT_QPA_PLATFORM=xcb BROWSER=true
  export XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  mkdir -p "$HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$tmp/stub-bin"
  printf '#!/bin/sh\necho "$*" >>"%s/opened-pages"\n' "$tmp" >"$tmp/stub-bin/xdg-open"
  chmod +x "$tmp/stub-bin/xdg-open"
  export PATH="$tmp/stub-bin:$PATH"
}

# find_window TITLE: the id of the first mapped window with exactly that title.
find_window() {
  local ids
  ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) || return 1
  [ -n "$ids" ] || return 1
  head -n 1 <<<"$ids"
}

# count_windows TITLE: how many mapped windows have exactly that title.
count_windows() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -c .
}

card_geometry() {
  local pos=$1
  echo "${CARD_W}x${CARD_H}+$((CARD_X0 + COLS[pos % 11]))+$((CARD_Y0 + ROW_STEP * (pos / 11)))"
}

card_centre() {
  local pos=$1
  echo "$((CARD_X0 + COLS[pos % 11] + CARD_W / 2)) $((CARD_Y0 + ROW_STEP * (pos / 11) + CARD_H / 2))"
}

request_close() { python3 -I "$here/../support/request-close.py" "$1"; }

process_alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}
