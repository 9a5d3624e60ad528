# The one place that knows how to drive the real program on a private X server. Sourced (not
# run) by the end-to-end and hardening tests, scripts/screenshots, packaging/try-deb and the
# benchmarks; everything of tests/support/session.sh comes with it, and:
#
#   . tests/support/x-session.sh NAME     as session.sh, and the clean-up removes any X socket left behind
#   start_xvfb [WxHxD]                    Xvfb on a free display: sets DISPLAY and display_number
#   start_window_manager NAME             a window manager on DISPLAY, once it manages windows: openbox,
#                                         fluxbox, icewm, metacity, marco, xfwm4, mutter, kwin or wmaker
#   program_environment                   the program sees the X server only, no desktop session
#   find_window TITLE, count_windows TITLE, window_gone TITLE, window_size WIN, window_pos WIN
#   outer_geometry WIN                    "X Y W H" of the window with the frame a window manager drew
#   screen_size                           "W H" of the X screen
#   click_card WIN POS [DY]
#   request_close WIN                     what a window manager's close box sends
#   shoot WIN FILE                        a screenshot of one window (FILE's suffix picks the format)
#
# The harness's own tools run in a UTF-8 locale whatever the caller's, so that window titles
# with "©" and "ó" match in the C locale too; the program keeps the caller's locale.
# shellcheck shell=bash disable=SC2034,SC2317  # variables are the sourcing script's; helpers run through wait_for

# shellcheck source-path=SCRIPTDIR source=session.sh
. "$(dirname "${BASH_SOURCE[0]}")/session.sh" "${1:-x-session}"
needs Xvfb xdotool python3
xvfb_pid=''

# A failed scenario keeps the whole screen as it was.
on_failure() { [ -n "${DISPLAY:-}" ] && import -window root "$tmp/screen-at-end.png" 2>/dev/null; }

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
# manages windows. Each runs as on a bare server: no compositing, no session manager, and where
# it needs a session bus (xfwm4 for its settings, mutter and KWin) a private one of its own.
start_window_manager() {
  local wm=$1 command=()
  case $wm in
    openbox) command=(openbox --sm-disable) ;;
    fluxbox)
      # No toolbar, and no wallpaper (which fluxbox would set through another program).
      mkdir -p "$HOME/.fluxbox"
      printf 'background: none\n' >"$HOME/.fluxbox/overlay"
      printf 'session.screen0.toolbar.visible: false\nsession.styleOverlay: %s\n' \
        "$HOME/.fluxbox/overlay" >"$HOME/.fluxbox/init"
      command=(fluxbox -rc "$HOME/.fluxbox/init") ;;
    icewm) command=(icewm) ;;
    # The GNOME-lineage managers keep their settings in memory rather than in dconf.
    metacity) command=(env GSETTINGS_BACKEND=memory metacity --replace --compositor=none) ;;
    marco) command=(env GSETTINGS_BACKEND=memory marco --replace --no-composite --sm-disable) ;;
    xfwm4) command=(dbus-run-session -- xfwm4 --replace --compositor=off --sm-client-disable) ;;
    # mutter always composites on X11.
    mutter) command=(env GSETTINGS_BACKEND=memory dbus-run-session -- mutter --x11 --replace --sm-disable) ;;
    kwin) wm=kwin_x11 command=(env KWIN_COMPOSE=N dbus-run-session -- kwin_x11 --replace) ;;
    # Its defaults are read from the home folder, never written (--static).
    wmaker) command=(wmaker --no-dock --no-clip --no-autolaunch --dont-restore --static) ;;
    *) echo "unknown window manager: $1" >&2; return 2 ;;
  esac
  command -v "$wm" >/dev/null 2>&1 || { echo "missing tool: $wm (scripts/install-deps wm installs every one)" >&2; return 2; }
  "${command[@]}" >"$tmp/window-manager.log" 2>&1 &
  track_process $!
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for 20 wm_ready || { echo "$wm did not start: $(tail -n 3 "$tmp/window-manager.log" | tr '\n' ' ')"; return 1; }
}

# The environment the program under test runs in: the X server only, nothing of the host's
# desktop session, a home and runtime folder of its own (so that a program that did write
# would not touch the developer's), and a stub in place of the browser launcher so that a
# click on the banner opens nothing; the stub notes each page it was asked for in
# $tmp/opened-pages, and the environment it was started with in $tmp/browser-environment
# (compare it with environment_of the program's pid).
program_environment() {
  unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER DESKTOP_SESSION XDG_CURRENT_DESKTOP \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME DEFAULT_BROWSER
  export QT_QPA_PLATFORM=xcb BROWSER=true
  export XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  mkdir -p "$HOME" "$tmp/stub-bin"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf '#!/bin/sh\necho "$*" >>"%s/opened-pages"\ntr "\\0" "\\n" </proc/$$/environ | sort >"%s/browser-environment"\n' \
    "$tmp" "$tmp" >"$tmp/stub-bin/xdg-open"
  chmod +x "$tmp/stub-bin/xdg-open"
  export PATH="$tmp/stub-bin:$PATH"
}

x_tool() { LC_ALL=C.UTF-8 "$@"; }

# environment_of PID: the environment the process was started with, one variable a line, sorted.
environment_of() { tr '\0' '\n' <"/proc/$1/environ" | sort; }

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

# click_card WIN POS [DY]: clicks the middle of a card (DY pixels below it), then parks the
# pointer off the window so that nothing is hover-lit in the next screenshot.
click_card() {
  local x y
  read -r x y <<<"$(card_centre "$2")"
  xdotool mousemove --window "$1" "$x" $((y + ${3:-0})) click 1 mousemove 2 2
  last_click_ms=$(now_ms)
}

request_close() { python3 -I "$session_support/request-close.py" "$1"; }

shoot() { import -window "$1" "$2" 2>>"$tmp/import.log"; }
