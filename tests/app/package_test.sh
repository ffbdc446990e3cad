#!/usr/bin/env bash
# Builds the Debian package in a Release tree of its own, unpacks it into an
# empty root and checks what it holds: its control fields, the programs run
# from there (the companion, the program's --version and --help, which also
# shows that the installed program finds its installed plug-in through its
# installed helper), the desktop entry and what the desktop and mailcap make
# of it, the AppStream metadata, the manual pages, and lintian's verdict when
# lintian is there.
#
#   package_test.sh SOURCE_DIR BUILD_DIR VERSION [CMAKE_OPTION...]
set -euo pipefail
source_dir=$1
build=$2
version=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# The tree is kept between runs, so only what changed is built again.
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTINTARA_SANITIZE=OFF \
  -DTINTARA_BUILD_TESTS=OFF -DTINTARA_BUILD_BENCHMARKS=OFF "$@" >"$work/configure.log" 2>&1 \
  || { cat "$work/configure.log"; fail "configure"; }
rm -f "$build"/tintara_*.deb
cmake --build "$build" --target package >"$work/build.log" 2>&1 \
  || { tail -n 40 "$work/build.log"; fail "build"; }
deb="$build/tintara_${version}-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"
echo "built $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tintara ] && [ "$(field Version)" = "$version-1" ] \
  && [ "$(field Section)" = graphics ] || fail "control fields: $(dpkg-deb -f "$deb")"
# Depends comes from the libraries the binaries link.
for library in libc6 libqt6widgets6 libwebp7; do
  grep -q "\b$library\b" <<<"$(field Depends)" || fail "Depends lacks $library: $(field Depends)"
done
# Help is shown through xdg-open.
grep -q '\bxdg-utils\b' <<<"$(field Recommends)" || fail "Recommends lacks xdg-utils: $(field Recommends)"
echo "control: Depends $(field Depends)"

root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr
for file in bin/tintara bin/tintara-cli libexec/tintara/tintara-spi-host \
    lib/tintara/plug-ins/webp.spi share/applications/io.github.tintara.tintara.desktop \
    share/dbus-1/services/io.github.tintara.tintara.service \
    share/metainfo/io.github.tintara.tintara.metainfo.xml \
    share/man/man1/tintara.1.gz share/man/man1/tintara-cli.1.gz \
    share/tintara/help/index.html share/fontconfig/conf.avail/61-tintara-ms-pgothic.conf \
    share/doc/tintara/copyright share/doc/tintara/changelog.Debian.gz; do
  [ -f "$usr/$file" ] || fail "the package lacks /usr/$file"
done
for size in 16 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x${size}/apps/tintara.png
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $size: $(file "$icon")"
done
for binary in bin/tintara bin/tintara-cli libexec/tintara/tintara-spi-host \
    lib/tintara/plug-ins/webp.spi; do
  file "$usr/$binary" | grep -q ', stripped' || fail "/usr/$binary is not stripped"
done
echo "contents: programs, plug-in, helper, icons, pages and documents in place"

# Run from the unpacked root, with nothing of the build tree to lean on.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"
unset LD_LIBRARY_PATH
[ "$("$usr/bin/tintara-cli" convert esl 152 172 109)" = "33 66 199" ] || fail "tintara-cli convert"
[ "$("$usr/bin/tintara-cli" text 7 ff0080 --upper)" = '<FONT COLOR = "#FF0080"></FONT>' ] \
  || fail "tintara-cli text"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen)
[ "$("${no_display[@]}" "$usr/bin/tintara" --version)" = "tintara $version" ] \
  || fail "tintara --version"
help=$("${no_display[@]}" "$usr/bin/tintara" --help)
grep -qxF "$usr/lib/tintara/plug-ins/:" <<<"$help" || fail "installed plug-in folder not used: $help"
grep -qxE '  webp\.spi +WebP \(\*\.WEBP\)' <<<"$help" || fail "installed plug-in not read: $help"
echo "unpacked programs run; the program reads its plug-in through its helper"

entry=$usr/share/applications/io.github.tintara.tintara.desktop
desktop-file-validate "$entry" || fail "desktop entry"
grep -qx 'Exec=tintara %f' "$entry" || fail "Exec line"
grep -qx 'DBusActivatable=true' "$entry" || fail "not D-Bus activatable"
grep -qx 'Exec=tintara --pick' "$entry" || fail "no pick action"
service=$usr/share/dbus-1/services/io.github.tintara.tintara.service
grep -qx 'Name=io.github.tintara.tintara' "$service" || fail "bus service name"
grep -qx 'Exec=/usr/bin/tintara --bus-activated' "$service" || fail "bus service Exec: $(cat "$service")"
grep -qx 'StartupNotify=true' "$entry" || fail "no StartupNotify"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.tintara.tintara.metainfo.xml" \
  >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "AppStream metadata"; }
for page in tintara tintara-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" \
    2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
echo "desktop entry, AppStream metadata and manual pages valid"

# The desktop offers the program for pages and pictures but never makes it
# the default handler of anything generic: not of plain text, ahead of the
# text editor, even where its entry is found first.
desktop=$work/desktop
ours=$desktop/ours/applications
others=$desktop/others/applications
mkdir -p "$ours" "$others" "$desktop/home" "$desktop/config"
cp "$usr"/share/applications/*.desktop "$ours"
printf '[Desktop Entry]\nType=Application\nName=Editor\nExec=cat %%f\nMimeType=text/plain;\n' \
  >"$others/editor.desktop"
update-desktop-database "$ours"
update-desktop-database "$others"
entry=$(cd "$ours" && echo *.desktop)
gio_mime() {
  LC_ALL=C.UTF-8 PATH=$usr/bin:$PATH XDG_DATA_HOME=$desktop/home XDG_CONFIG_HOME=$desktop/config \
    XDG_CONFIG_DIRS=$desktop/config XDG_DATA_DIRS=$desktop/ours:$desktop/others gio mime "$1"
}
out=$(gio_mime text/plain)
grep -qxF "Default application for “text/plain”: editor.desktop" <<<"$out" || fail "text/plain: $out"
! grep -qF "$entry" <<<"$out" || fail "offered for text/plain: $out"
for type in text/html application/xhtml+xml image/bmp image/webp; do
  grep -qxF "	$entry" <<<"$(gio_mime "$type")" || fail "not offered for $type: $(gio_mime "$type")"
done
# update-mime, run over this package alone, must make no mailcap entry of it.
mailcap=$work/mailcap
mkdir -p "$mailcap"
sed -e "s|\"/usr/lib/mime/packages\"|\"$usr/lib/mime/packages\"|" \
    -e "s|\"/usr/share/applications\"|\"$ours\"|" /usr/sbin/update-mime >"$mailcap/update-mime"
HOME=$mailcap perl "$mailcap/update-mime" --local
[ -f "$mailcap/.mailcap" ] || fail "update-mime wrote no mailcap"
entries=$(grep -v '^#' "$mailcap/.mailcap" | grep . || true)
[ -z "$entries" ] || fail "mailcap entries: $entries"
echo "desktop: offered for pages and pictures, default for nothing generic; no mailcap entries"

if command -v lintian >/dev/null; then
  # Errors and warnings fail, and so does information on how the binaries
  # are built and stripped.
  status=0
  lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
  grep -v '^running with root privileges' "$work/lintian.log" || true
  [ "$status" -eq 0 ] || fail "lintian"
  ! grep -E '^I: .*\b(hardening-[a-z-]+|binary-has-unneeded-section)\b' "$work/lintian.log" \
    || fail "lintian: binaries built without hardening or with needless sections"
  echo "lintian: no errors or warnings, binaries hardened"
else
  echo "lintian not installed: not run"
fi
