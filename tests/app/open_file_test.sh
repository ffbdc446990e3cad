#!/usr/bin/env bash
# Starts the real program with a file on the X display, as the desktop does
# for "tintara %f", and checks that the file is opened as the open command
# opens it: a colour or a BODY tag is taken, a picture goes behind the tag,
# and a file that cannot be read is reported in a message box.
set -euo pipefail
program=$(readlink -f "$1")
export HOME=$(mktemp -d)
# No session bus: a program running on the desktop's own bus would be handed
# the start instead.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$HOME/no-session-bus
export XDG_CONFIG_HOME=$HOME/.config
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$HOME"' EXIT
cd "$HOME"

fail() { echo "FAIL: $*"; exit 1; }

start() {
  "$program" "$@" >>"$HOME/output.txt" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' | head -n 1 || true)
  [ -n "$window" ] || fail "no main window for $*"
}

stop() {
  kill -TERM "$pid"
  wait "$pid" || fail "exit status $? after SIGTERM"
  pid=
}

# Passes once the main window's title is "Tintara $1"; the file is read
# only after the window is up.
title_becomes() {
  for _ in $(seq 1 50); do
    [ "$(xdotool getwindowname "$window")" = "Tintara $1" ] && return 0
    sleep 0.1
  done
  fail "title '$(xdotool getwindowname "$window")', not 'Tintara $1'"
}

# 1. A text holding one colour: the colour is taken.
printf '#123456' >colour.txt
start colour.txt
title_becomes 123456
stop
echo "text file: colour taken"

# 2. A page with a BODY tag: the tag is read, and the active role, the
# background, gives its colour. A name starting with '-' comes after "--".
printf '<html><body bgcolor="#336699" text="#ffffff"></body></html>\n' >-page.html
start -- -page.html
title_becomes 336699
stop
echo "page: BODY tag read"

# 3. A Windows bitmap (2 x 2, 24 bits): named in the tag the BODY copy
# command puts on the clipboard.
printf 'BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0' >tile.bmp
printf '\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0' >>tile.bmp
printf '\0\0\xff\0\xff\0\0\0\xff\0\0\xff\xff\xff\0\0' >>tile.bmp
start tile.bmp
tag=
for _ in $(seq 1 50); do
  xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+b
  tag=$(xclip -o -selection clipboard 2>/dev/null || true)
  [[ "$tag" == *'background="tile.bmp"'* ]] && break
  sleep 0.1
done
[[ "$tag" == *'background="tile.bmp"'* ]] || fail "picture not in the tag: '$tag'"
stop
echo "picture: shown and named in the tag"

# 4. A file that is not there: the window comes up, then the message box
# the open command shows, titled with the program's name.
start missing.html
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara$' | head -n 1 || true)
[ -n "$box" ] || fail "no message box for a missing file"
stop
echo "missing file: reported in a message box"
