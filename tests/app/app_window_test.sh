#!/usr/bin/env bash
# Starts the real program on the X display and checks its main window.
set -euo pipefail
program=$1
export HOME=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$HOME"' EXIT

"$program" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara c0c0c0$' | head -n 1)
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q 'Geometry: 626x416' <<<"$geometry" || { echo "wrong size"; exit 1; }
echo "window found: Tintara c0c0c0, 626x416"
