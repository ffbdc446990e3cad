#!/usr/bin/env bash
# One program per session, through the real program on an X server with a
# window manager and a session bus of the test's own: a later start raises
# the running window or hands it a file or a pick and ends; --pick picks
# from the frozen screen with or without a running program; --pick --print
# prints the pixel's text; the desktop's global shortcut picks; without a session bus every start is a program
# of its own.
set -euo pipefail
program=$(readlink -f "$1")
shortcuts_portal=$(readlink -f "$2")
export HOME=$(mktemp -d)
export XDG_CONFIG_HOME=$HOME/.config
pids=()
bus_pid=
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
  rm -rf "$HOME"
}
trap cleanup EXIT
cd "$HOME"

fail() { echo "FAIL: $*"; exit 1; }

# The bus starts the program for a launcher as the installed service file
# has it.
mkdir "$HOME/services"
printf '[D-BUS Service]\nName=io.github.tintara.tintara\nExec=%s --bus-activated\n' "$program" \
  >"$HOME/services/io.github.tintara.tintara.service"
cat >"$HOME/bus.conf" <<EOF_CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$HOME</listen>
  <servicedir>$HOME/services</servicedir>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF_CONF
dbus-daemon --config-file="$HOME/bus.conf" --nofork --print-address=3 3>"$HOME/bus" &
bus_pid=$!
for _ in $(seq 1 100); do [ -s "$HOME/bus" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$HOME/bus")
export DBUS_SESSION_BUS_ADDRESS
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "no private session bus"

main_windows() { xdotool search --onlyvisible --name '^Tintara [0-9a-f]{6}$' 2>/dev/null || true; }

# Starts the program that owns the name and waits for its window.
start_first() {
  "$program" "$@" >>"$HOME/output.txt" 2>&1 &
  pid=$!
  pids+=("$pid")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' |
    head -n 1 || true)
  [ -n "$window" ] || fail "no main window for $*"
  for _ in $(seq 1 100); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner io.github.tintara.tintara 2>/dev/null |
      grep -q true && return 0
    sleep 0.1
  done
  fail "the program does not own its bus name"
}

# A later start: it must end at once with status 0.
later() {
  local status=0
  timeout 20 "$program" "$@" >>"$HOME/output.txt" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "tintara $*: status $status"
}

title_becomes() {
  for _ in $(seq 1 50); do
    [ "$(xdotool getwindowname "$window")" = "Tintara $1" ] && return 0
    sleep 0.1
  done
  fail "title '$(xdotool getwindowname "$window")', not 'Tintara $1'"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# The frozen screen is up once the overlay, titled as the program, shows.
wait_for_overlay() {
  timeout 20 xdotool search --sync --onlyvisible --name '^Tintara$' >/dev/null ||
    fail "no frozen screen"
}

# 1. A second start leaves one window, shown again when it was minimised.
start_first
printf '#204060' >colour.txt
xdotool windowminimize --sync "$window"
later
[ "$(main_windows | wc -l)" -eq 1 ] || fail "$(main_windows | wc -l) main windows after a second start"
timeout 10 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' >/dev/null ||
  fail "the minimised window was not shown again"
kill -0 "$pid" || fail "the running program ended"
echo "second start: one window, raised"

# 2. A file is opened by the running window: a colour, a BODY tag, a picture.
mkdir sub
printf '<html><body bgcolor="#336699" text="#ffffff"></body></html>\n' >sub/page.html
(cd sub && later page.html)
title_becomes 336699
printf 'BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0' >tile.bmp
printf '\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0' >>tile.bmp
printf '\0\0\xff\0\xff\0\0\0\xff\0\0\xff\xff\xff\0\0' >>tile.bmp
later tile.bmp
tag=
for _ in $(seq 1 50); do
  xdotool windowactivate --sync "$window" key --clearmodifiers ctrl+b
  tag=$(clipboard)
  [[ "$tag" == *'background="tile.bmp"'* ]] && break
  sleep 0.1
done
[[ "$tag" == *'background="tile.bmp"'* ]] || fail "picture not in the tag: '$tag'"
[ "$(main_windows | wc -l)" -eq 1 ] || fail "a second window for a file"
echo "later start with a file: opened in the running window"

# 3. --pick sent to the running program: the window hides, the screen
# freezes, a click takes the pixel and copies its text.
xsetroot -solid '#123456'
later --pick
wait_for_overlay
[ -z "$(main_windows)" ] || fail "the main window stayed up during the pick"
xdotool mousemove 3 3 click 1
title_becomes 123456
[ "$(clipboard)" = 123456 ] || fail "clipboard '$(clipboard)' after the pick"
echo "--pick with a running program: 123456 taken and copied"

# Escape and the middle button change nothing, and the window comes back.
xsetroot -solid '#abcdef'
later --pick
wait_for_overlay
xdotool key Escape
timeout 10 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' >/dev/null ||
  fail "no window after Escape"
title_becomes 123456
[ "$(clipboard)" = 123456 ] || fail "clipboard '$(clipboard)' after Escape"
later --pick
wait_for_overlay
xdotool click 2
timeout 10 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' >/dev/null ||
  fail "no window after the middle button"
title_becomes 123456
echo "--pick given up: nothing changed"

# 4. --pick --print picks in its own process and leaves the running one alone.
"$program" --pick --print --format 4 >printed.txt 2>>"$HOME/output.txt" &
printer=$!
wait_for_overlay
xdotool mousemove 4 4 click 1
status=0
wait "$printer" || status=$?
[ "$status" -eq 0 ] || fail "--pick --print: status $status"
[ "$(cat printed.txt)" = 'color : #abcdef' ] || fail "--pick --print printed '$(cat printed.txt)'"
title_becomes 123456
[ "$(clipboard)" = 123456 ] || fail "--pick --print touched the clipboard: '$(clipboard)'"
[ "$(main_windows | wc -l)" -eq 1 ] || fail "--pick --print showed a window"
"$program" --pick --print --format 7 --upper --names >printed.txt 2>>"$HOME/output.txt" &
printer=$!
wait_for_overlay
xdotool mousemove 4 4 click 1
wait "$printer" || fail "--pick --print --upper: status $?"
[ "$(cat printed.txt)" = '<FONT COLOR = "#ABCDEF"></FONT>' ] ||
  fail "--format 7 --upper printed '$(cat printed.txt)'"
for give_up in "key Escape" "click 2"; do
  "$program" --pick --print >printed.txt 2>>"$HOME/output.txt" &
  printer=$!
  wait_for_overlay
  xdotool $give_up
  status=0
  wait "$printer" || status=$?
  [ "$status" -eq 1 ] || fail "--pick --print, $give_up: status $status, not 1"
  [ ! -s printed.txt ] || fail "--pick --print, $give_up: printed '$(cat printed.txt)'"
done
echo "--pick --print: the text printed, giving up ends with status 1"

kill -TERM "$pid"
wait "$pid" || fail "exit status $? after SIGTERM"

# 5. --pick with no program running: no window before the pick, then the
# window with the picked colour.
xsetroot -solid '#123456'
"$program" --pick >>"$HOME/output.txt" 2>&1 &
pid=$!
pids+=("$pid")
wait_for_overlay
[ -z "$(main_windows)" ] || fail "a window before the pick"
xdotool mousemove 5 5 click 1
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' |
  head -n 1 || true)
[ -n "$window" ] || fail "no window after the pick"
title_becomes 123456
[ "$(clipboard)" = 123456 ] || fail "clipboard '$(clipboard)' after the first pick"
later
[ "$(main_windows | wc -l)" -eq 1 ] || fail "the program started by --pick does not serve later starts"
kill -TERM "$pid"
wait "$pid" || fail "exit status $? after SIGTERM"
echo "--pick with none running: no window before, 123456 after"

# 6. A launcher's pick through the bus, with no program running: the bus
# starts one, which shows no window before the pick.
application() {
  gdbus call --session --dest io.github.tintara.tintara --object-path /io/github/tintara/tintara \
    --method "org.freedesktop.Application.$@" >/dev/null || fail "$1 over the bus"
}
xsetroot -solid '#654321'
application ActivateAction "'pick'" '@av []' '@a{sv} {}'
wait_for_overlay
[ -z "$(main_windows)" ] || fail "a window before the pick started by the bus"
xdotool mousemove 5 5 click 1
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' |
  head -n 1 || true)
[ -n "$window" ] || fail "no window after the pick started by the bus"
title_becomes 654321
[ "$(clipboard)" = 654321 ] || fail "clipboard '$(clipboard)' after the pick started by the bus"
xdotool windowminimize --sync "$window"
application Activate '@a{sv} {}'
timeout 10 xdotool search --sync --onlyvisible --name '^Tintara [0-9a-f]{6}$' >/dev/null ||
  fail "Activate did not show the window"
started=$(xdotool getwindowpid "$window")
pids+=("$started")
kill -TERM "$started"
for _ in $(seq 1 100); do kill -0 "$started" 2>/dev/null || break; sleep 0.1; done
echo "started by the bus: the launcher's pick, then Activate"

# 7. The desktop's global shortcut: the running program binds "pick" with
# the portal, and the portal's Activated starts a pick.
"$shortcuts_portal" --log "$HOME/portal.log" >>"$HOME/output.txt" 2>&1 &
pids+=("$!")
start_first
session=
for _ in $(seq 1 100); do
  session=$(sed -n 's/^BindShortcuts\tsession=\([^\t]*\)\t.*\tid=pick\t.*/\1/p' \
    "$HOME/portal.log" 2>/dev/null | tail -n 1)
  [ -n "$session" ] && break
  sleep 0.1
done
[ -n "$session" ] || fail "the pick shortcut was not bound: $(cat "$HOME/portal.log" 2>/dev/null)"
xsetroot -solid '#2468ac'
gdbus call --session --dest org.freedesktop.portal.Desktop \
  --object-path /org/freedesktop/portal/desktop --method io.github.tintara.FakePortal.Activate \
  "objectpath '$session'" "'pick'" >/dev/null || fail "the portal's Activated was not sent"
wait_for_overlay
xdotool mousemove 6 6 click 1
title_becomes 2468ac
[ "$(clipboard)" = 2468ac ] || fail "clipboard '$(clipboard)' after the shortcut's pick"
kill -TERM "$pid"
wait "$pid" || fail "exit status $? after SIGTERM"
echo "global shortcut: bound, and its activation picks 2468ac"

# 8. Without a session bus every start is a program of its own.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$HOME/no-bus
"$program" >>"$HOME/output.txt" 2>&1 &
pids+=("$!")
"$program" >>"$HOME/output.txt" 2>&1 &
pids+=("$!")
for _ in $(seq 1 100); do
  [ "$(main_windows | wc -l)" -eq 2 ] && break
  sleep 0.2
done
[ "$(main_windows | wc -l)" -eq 2 ] || fail "$(main_windows | wc -l) windows without a session bus, not 2"
echo "no session bus: two programs"
