#!/usr/bin/env bash
# Starts the real program on the X display and checks its main window.
set -euo pipefail
program=$1
export HOME=$(mktemp -d)
# No session bus: a program running on the desktop's own bus would be handed
# the start instead.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$HOME/no-session-bus
trap 'kill "$pid" 2>/dev/null && wait "$pid"; rm -rf "$HOME"' EXIT

"$program" >"$HOME/output.txt" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara c0c0c0$' | head -n 1)
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
# The client area is 626 x 416; the menu bar sits above it.
size=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' <<<"$geometry")
read -r width height <<<"$size"
[ "$width" -eq 626 ] && [ "$height" -ge 416 ] && [ "$height" -le 460 ] || { echo "wrong size"; exit 1; }
echo "window found: Tintara c0c0c0, ${width}x${height}"
