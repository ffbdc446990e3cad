#!/usr/bin/env bash
# The real program's command line: --version and --help print and end
# without any display, --help names the picture plug-ins the program finds,
# and bad arguments are refused with status 2.
set -euo pipefail
program=$(readlink -f "$1")
version=$2
export HOME=$(mktemp -d)
export XDG_CONFIG_HOME=$HOME/.config
trap 'rm -rf "$HOME"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${no_display[@]}" "$program" --version) || fail "--version: status $?"
[ "$out" = "tintara $version" ] || fail "--version printed '$out'"
out=$("${no_display[@]}" "$program" -platform xcb -v) || fail "-v: status $?"
[ "$out" = "tintara $version" ] || fail "-v printed '$out'"
echo "--version: $out"

out=$("${no_display[@]}" "$program" --help) || fail "--help: status $?"
grep -qx 'Usage: tintara \[FILE\]' <<<"$out" || fail "--help has no usage: $out"
# The plug-in built beside the program, read through the plug-in helper.
grep -qx "$(dirname "$program")/plug-ins/:" <<<"$out" || fail "--help names no plug-in folder"
grep -qxE '  webp\.spi +WebP \(\*\.WEBP\)' <<<"$out" || fail "--help lists no WebP plug-in"
echo "--help: usage and the WebP plug-in"

# The folder the other program's settings name is the one read.
mkdir -p "$XDG_CONFIG_HOME/Varrow" "$HOME/no plug-ins"
printf '[Plug-in]\nPath=%s\n' "$HOME/no plug-ins" >"$XDG_CONFIG_HOME/Varrow/Susie.conf"
out=$("${no_display[@]}" "$program" -h) || fail "-h: status $?"
grep -qxF -- "$HOME/no plug-ins/:" <<<"$out" || fail "-h ignores the set folder: $out"
grep -qxF -- '  (none)' <<<"$out" || fail "-h lists plug-ins of an empty folder: $out"
echo "--help: the folder set in Susie.conf"

# Refused: one line on standard error, status 2, no window, whether there is
# a display or not. The toolkit's own options are not taken for the
# program's, and their values not for files.
refused() {
  local expected=$1 status err
  shift
  for display in "QT_QPA_PLATFORM=offscreen" "-u QT_QPA_PLATFORM"; do
    status=0
    # shellcheck disable=SC2086
    err=$("${no_display[@]}" $display "$program" "$@" 2>&1 >/dev/null) || status=$?
    [ "$status" -eq 2 ] || fail "$* ($display): status $status, not 2"
    [ "$err" = "tintara: $expected" ] || fail "$* ($display): said '$err'"
  done
}
refused "unknown option '--bogus' (try --help)" --bogus
refused "unknown option '-x' (try --help)" -platform offscreen -x page.html
refused "unknown option '-x' (try --help)" -display :99 -x
refused "one FILE at most, got 2 (try --help)" a.html b.html
refused "one FILE at most, got 2 (try --help)" -qwindowtitle a.html b.html c.html
refused "option '-platform' needs a value (try --help)" page.html -platform
refused "--print needs --pick" --print
refused "--format needs a number 0..16, got '99'" --pick --print --format 99
echo "bad arguments refused"
