#!/usr/bin/env bash
# Starts the real program on the X display over damaged, odd and failing
# settings stores, each in a fresh home. Every time the program must start,
# work, and end on SIGTERM within its time, having either saved the store
# whole or left the old one as it was and said so; never a half-written
# store, never a hang.
#
# damaged_store_test.sh PROGRAM FULL_DISK_SHIM
set -uo pipefail
program=$1
shim=$2
root=$(mktemp -d)
chmod 755 "$root"
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; chmod -R u+w "$root" 2>/dev/null; rm -rf "$root"' EXIT

failures=0
fail() {
  echo "FAIL [$scenario]: $*"
  failures=$((failures + 1))
}

# A complete store as the program writes it, with slot 0 at 10, 20, 30.
good_store() {
  printf '[General]\nTop=100\nLeft=50\n'
  for i in 0 1 2 3 4 5 6 7 8 9; do printf 'R%s=10\nG%s=20\nB%s=30\n' $i $i $i; done
  printf 'ColorPalette=3\nColorSlide=1\nOutputNum=1\nOutputLower=1\nFavorite=2\n'
  printf 'Favorite0=sky\nFavoriteR0=1\nFavoriteG0=2\nFavoriteB0=3\n'
  printf 'Favorite1=sea\nFavoriteR1=4\nFavoriteG1=5\nFavoriteB1=6\n'
  printf 'RadioUser=1\nPiccerTime=500\nRadioPiccer=0\nPiccerArea=10\n'
}
# No session bus: a program running on the desktop's own bus would be handed
# the start instead.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$root/no-session-bus
keys="Top Left R0 G0 B0 R9 G9 B9 ColorPalette ColorSlide OutputNum OutputLower Favorite
      RadioUser PiccerTime RadioPiccer PiccerArea"

# begin NAME: a fresh home; $store is the store file, $folder its folder.
begin() {
  scenario=$1
  export HOME=$root/$scenario
  export XDG_CONFIG_HOME=$HOME/.config
  folder=$XDG_CONFIG_HOME/Korvell
  store=$folder/RGB.conf
  mkdir -p "$folder"
  chmod -R 755 "$HOME"
}

value() { sed -n "s/^$1=//p" "$store"; }

# Remembers the store as it is, to compare after the run.
snapshot() { before=$(stat -c '%F %s' "$store" 2>&1; [ -f "$store" ] && md5sum <"$store"); }
unchanged() { [ "$(stat -c '%F %s' "$store" 2>&1; [ -f "$store" ] && md5sum <"$store")" = "$before" ]; }

# run [--box] [--press]: starts the program (with $launch before it), waits
# for the main window, with --box for the error box after it, with --press
# stores the current colour (192, 192, 192) in user slot 0, ends it by SIGTERM.
run() {
  local box=0 press=0
  for option in "$@"; do
    [ "$option" = --box ] && box=1
    [ "$option" = --press ] && press=1
  done
  output=$HOME/output.txt
  ${launch:-} "$program" >"$output" 2>&1 &
  pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tintara ' 2>/dev/null | head -n 1)
  if [ -z "$window" ]; then
    fail "no main window within 30 s"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
    return
  fi
  if [ $box -eq 1 ] &&
    [ -z "$(timeout 15 xdotool search --sync --onlyvisible --name '^Tintara$' 2>/dev/null)" ]; then
    fail "no error box after the window"
  fi
  if [ $press -eq 1 ]; then
    xdotool windowfocus --sync "$window" key ctrl+s
    sleep 0.3
  fi
  kill -TERM "$pid"
  local status=
  for _ in $(seq 1 300); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      status=$?
      break
    fi
    sleep 0.1
  done
  if [ -z "$status" ]; then
    fail "still running 30 s after SIGTERM"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  elif [ "$status" -ne 0 ]; then
    fail "exit status $status after SIGTERM: $(tail -n 5 "$output")"
  fi
  pid=
}

said() { grep -q -- "$1" "$output" || fail "standard error does not say '$1': $(cat "$output")"; }
no_leftovers() {
  local others
  others=$(ls -A "$folder" | grep -v -x -e RGB.conf -e RGB.conf.bak)
  [ -z "$others" ] || fail "left in the folder: $others"
}
# Saved whole: every value there, slot 0 as stored by the key press.
saved() {
  [ -f "$store" ] || { fail "no store after the run"; return; }
  for key in $keys; do [ -n "$(value "$key")" ] || fail "$key missing after the save"; done
  [ "$(value R0),$(value G0),$(value B0)" = 192,192,192 ] || fail "slot 0 not saved"
  no_leftovers
}
# The old store left as it was, and the failed save reported.
kept() {
  unchanged || fail "store changed"
  said "の設定に失敗しました"
  no_leftovers
}
backed_up() {
  cmp -s "$store.bak" "$1" || fail "RGB.conf.bak is not the store as it was"
  said "RGB.conf.bak"
}

begin first-start
run --press
saved

begin empty-file
: >"$store"
run --press
saved

begin binary-garbage
head -c 6000 "$program" | tail -c 3000 >"$store"
cp "$store" "$root/original"
run --press
saved
backed_up "$root/original"

begin truncated-lines
good_store | head -c 300 >"$store"
printf '\nPiccerAr' >>"$store"
cp "$store" "$root/original"
run --press
saved
backed_up "$root/original"
[ "$(value Top)" = 100 ] || fail "the lines before the cut were not kept"

begin duplicated-keys
{ good_store; printf 'Top=7\nFavorite=1\n'; } >"$store"
cp "$store" "$root/original"
run --press
saved
backed_up "$root/original"
[ "$(grep -c '^Top=' "$store")" = 1 ] && [ "$(grep -c '^Favorite=' "$store")" = 1 ] ||
  fail "a key twice in the saved store"
[ "$(value Favorite)" = 1 ] || fail "not the last of the twice-written keys"

begin values-out-of-range
good_store | sed -e 's/^ColorPalette=.*/ColorPalette=18/' -e 's/^ColorSlide=.*/ColorSlide=-1/' \
  -e 's/^G5=.*/G5=256/' -e 's/^Favorite=.*/Favorite=-1/' -e 's/^PiccerTime=.*/PiccerTime=0/' \
  -e 's/^PiccerArea=.*/PiccerArea=100/' -e 's/^Top=.*/Top=-2147483648/' \
  -e 's/^Left=.*/Left=99999999999/' >"$store"
run --press
saved
[ "$(value ColorPalette),$(value ColorSlide),$(value Favorite),$(value PiccerTime),$(value PiccerArea)" = 8,0,0,500,10 ] ||
  fail "out-of-range values not replaced by their defaults"

begin many-favourites-without-entries
good_store | sed -e 's/^Favorite=.*/Favorite=10000/' >"$store"
run --press
saved
[ "$(value Favorite)" = 10000 ] && [ "$(value FavoriteB9999)" = 6 ] || fail "favourites not saved"

begin huge-favourite-count
good_store | sed -e 's/^Favorite=.*/Favorite=2000000000/' >"$store"
run --press
saved
[ "$(value Favorite)" = 0 ] || fail "a count beyond the limit kept"

begin unmatched-quote
good_store | sed -e 's/^Favorite0=.*/Favorite0="sky/' >"$store"
cp "$store" "$root/original"
run --press
saved
backed_up "$root/original"
[ "$(value Favorite1)" = sea ] && [ "$(value PiccerTime)" = 500 ] && [ "$(value Top)" = 100 ] ||
  fail "the lines after the quote were lost"
[ "$(value Favorite0)" = sky ] || fail "the quoted name not read as far as it goes"

begin names-not-utf8
good_store | sed -e 's/^Favorite0=.*/Favorite0=caf\xe9 \xff/' >"$store"
run --press
saved
[ "$(value Favorite0)" = '@ByteArray(caf\xe9 \xff)' ] || fail "name bytes not kept: $(value Favorite0)"

begin windows-line-endings
good_store | sed -e 's/$/\r/' >"$store"
run --press
saved
[ "$(value ColorPalette)" = 3 ] && [ "$(value Top)" = 100 ] || fail "values not read"

begin permissions-kept
good_store >"$store"
chmod 600 "$store"
run --press
saved
[ "$(stat -c %a "$store")" = 600 ] || fail "permissions now $(stat -c %a "$store")"

begin linked-store
mkdir -p "$HOME/dotfiles"
good_store >"$HOME/dotfiles/rgb.ini"
ln -s "$HOME/dotfiles/rgb.ini" "$store"
run --press
[ -L "$store" ] || fail "the link was replaced"
saved

begin folder-in-its-place
mkdir "$store"
snapshot
run --box
kept
said "not a regular file"

begin fifo
mkfifo "$store"
snapshot
run --box
kept
[ -p "$store" ] || fail "the FIFO is gone"

begin link-to-dev-zero
ln -s /dev/zero "$store"
snapshot
run --box
kept
[ "$(readlink "$store")" = /dev/zero ] || fail "the link was replaced"

begin hundred-megabytes
good_store >"$store"
truncate -s 100M "$store"
snapshot
run --box
kept
said "larger than 16 MiB"

begin read-only-file
good_store >"$store"
chmod 444 "$store"
snapshot
run --press
kept

begin read-only-file-with-values-missing
printf '[General]\nTop=100\n' >"$store"
chmod 444 "$store"
snapshot
run --box
kept

# Root may write into any folder; the folder is only read-only to a user.
begin read-only-folder
good_store >"$store"
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody "$HOME"
  launch="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
chmod 555 "$folder"
snapshot
run --press
launch=
kept
chmod 755 "$folder"

# A full disk: the shim is loaded after the sanitizer's runtime, which then
# must not insist on coming first.
for fails in write sync; do
  begin "disk-full-on-$fails"
  good_store >"$store"
  snapshot
  export TINTARA_FULL_DISK_DIR=$folder TINTARA_FULL_DISK_FAILS=$fails
  launch="env LD_PRELOAD=$shim ASAN_OPTIONS=${ASAN_OPTIONS:-}:verify_asan_link_order=0"
  run --press
  launch=
  unset TINTARA_FULL_DISK_DIR TINTARA_FULL_DISK_FAILS
  kept
done

if [ $failures -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "every damaged store: started, worked, ended, saved whole or kept whole"
