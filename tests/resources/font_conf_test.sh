#!/usr/bin/env bash
# Loads the system's fontconfig set-up plus the alias file and checks that
# both names of the window font resolve to IPAPGothic, and that other
# families are left alone.
set -euo pipefail
fc_match=$1
alias_file=$2

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat >"$dir/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
  <include ignore_missing="no">$alias_file</include>
</fontconfig>
CONF
export FONTCONFIG_FILE="$dir/fonts.conf"

status=0
for family in "ＭＳ Ｐゴシック" "MS PGothic"; do
  got=$("$fc_match" -f '%{family[0]}' "$family:pixelsize=12")
  echo "$family -> $got"
  [ "$got" = IPAPGothic ] || status=1
done
got=$("$fc_match" -f '%{family[0]}' "IPAGothic")
echo "IPAGothic -> $got"
[ "$got" = IPAGothic ] || status=1
exit $status
