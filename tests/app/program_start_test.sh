#!/usr/bin/env bash
# Starts and ends the real program three times in a fresh home on the X
# display: first start, a start from a stored state, a start from a damaged
# store. The program is ended by SIGTERM, which must close it as its exit
# command does and keep its settings.
set -euo pipefail
program=$1
export HOME=$(mktemp -d)
# No session bus: a program running on the desktop's own bus would be handed
# the start instead.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$HOME/no-session-bus
export XDG_CONFIG_HOME=$HOME/.config
store=$XDG_CONFIG_HOME/Korvell/RGB.conf
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$HOME"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
# Passes when the window's position starts with $1; names the position if not.
at() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$window")
  grep -q "Position: $1" <<<"$geometry" || fail "$2 ($(grep Position <<<"$geometry"))"
}
value() { sed -n "s/^$1=//p" "$store"; }

start() {
  "$program" >>"$HOME/output.txt" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Tintara' | head -n 1) ||
    true
  [ -n "$window" ] || fail "no window within 20 s (program $(kill -0 "$pid" 2>/dev/null && echo running || echo ended); output: $(tail -n 3 "$HOME/output.txt"))"
}

stop() {
  kill -TERM "$pid" || fail "program $pid ended before it was asked to"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
}

# 1. First start: every value is written with its default, and the window is
# centred on the 1280 x 1024 screen.
start
for name in Top Left R0 G0 B0 R9 G9 B9 ColorPalette ColorSlide OutputNum OutputLower Favorite \
            RadioUser PiccerTime RadioPiccer PiccerArea; do
  [ -n "$(value $name)" ] || fail "$name not written on first start"
done
[ "$(value ColorPalette)" = 8 ] && [ "$(value PiccerTime)" = 500 ] && [ "$(value R5)" = 255 ] \
  || fail "defaults"
at 327, "not centred"
stop
echo "first start: all values written"

# 2. A stored state comes back: position, models and output form.
sed -i -e 's/^Top=.*/Top=100/' -e 's/^Left=.*/Left=50/' -e 's/^ColorPalette=.*/ColorPalette=0/' \
  -e 's/^ColorSlide=.*/ColorSlide=3/' -e 's/^OutputNum=.*/OutputNum=0/' "$store"
start
at 50,100 "position not restored"
[ "$(xdotool getwindowname "$window")" = "Tintara silver" ] || fail "output form not restored"
stop
[ "$(value ColorPalette)" = 0 ] && [ "$(value ColorSlide)" = 3 ] && [ "$(value Top)" = 100 ] \
  || fail "values not kept"
echo "second start: position, models and output form restored"

# 3. A damaged store starts cleanly and is repaired.
sed -i -e 's/^ColorPalette=.*/ColorPalette=abc/' -e 's/^PiccerTime=.*/PiccerTime=99999/' \
  -e 's/^Favorite=.*/Favorite=2000000000/' -e 's/^Top=.*/Top=-50000/' "$store"
start
at 327, "off-screen window not centred"
stop
[ "$(value ColorPalette)" = 8 ] && [ "$(value PiccerTime)" = 500 ] && [ "$(value Favorite)" = 0 ] \
  || fail "damaged values not repaired"
echo "damaged store: started cleanly and repaired"

# 4. Ending by a signal while the store cannot be written reports the failure
# on standard error and still ends, without waiting on a message box.
start
rm -rf "$XDG_CONFIG_HOME/Korvell"
touch "$XDG_CONFIG_HOME/Korvell"
kill -TERM "$pid"
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running after SIGTERM with an unwritable store"
pid=
grep -q "の設定に失敗しました" "$HOME/output.txt" || fail "failed save not reported"
echo "unwritable store: failure reported, program ended"

# 5. Two programs over one store, each a program of its own (as without a
# session bus): what one saves survives the other's close, and a store
# deleted meanwhile is written whole.
unset DBUS_SESSION_BUS_ADDRESS
rm -rf "$XDG_CONFIG_HOME/Korvell"
start
first=$pid
first_window=$window
start
second=$pid
# The first stores its colour, c0c0c0, in user slot 0.
timeout 20 xdotool windowfocus --sync "$first_window" key --clearmodifiers ctrl+s ||
  fail "the first program's window took no focus"
sleep 1
pid=$first
stop
[ "$(value R0)" = 192 ] || fail "the first program's user colour not saved"
pid=$second
stop
[ "$(value R0)" = 192 ] || fail "the second program's close undid the first's save"
echo "two programs: what one saved survived the other's close"

start
rm "$store"
stop
for name in Top Left R0 B9 ColorPalette ColorSlide OutputNum OutputLower Favorite; do
  [ -n "$(value $name)" ] || fail "$name not written to a deleted store"
done
echo "deleted store: written whole at the close"
