#!/bin/sh
# Runs a test program on the X display that xvfb-run opened, under openbox: window
# placement and stacking are the window manager's, and differ from the offscreen
# platform's. Usage: under_window_manager.sh OPENBOX PROGRAM [ARGS...]
set -eu
openbox_program=$1
shift
"$openbox_program" >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# The manager announces itself on the root window once it manages windows.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ]; then
    echo "under_window_manager: openbox did not start" >&2
    exit 1
  fi
  sleep 0.1
done
QT_QPA_PLATFORM=xcb "$@"
