#!/usr/bin/env bash
# Installs the built program into a scratch directory (DESTDIR, prefix /usr) and checks
# that a desktop system finds what it needs there: the program and the libraries it
# loads, its menu entry, AppStream data, icons and data directory.
# Usage: install_smoke.sh <build dir> <scratch dir> <bindir> <datadir>
set -euo pipefail

build=$1
root=$2
bindir=$3
datadir=$4

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
prefix=$root/usr
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for file in \
  "$bindir/ferolune" \
  "$bindir/ferolune-cli" \
  "$datadir/applications/ferolune.desktop" \
  "$datadir/metainfo/org.example.ferolune.metainfo.xml" \
  "$datadir/icons/hicolor/32x32/apps/ferolune.png" \
  "$datadir/icons/hicolor/64x64/apps/ferolune.png" \
  "$datadir/icons/hicolor/scalable/apps/ferolune.svg"; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for program in ferolune ferolune-cli; do
  [ -x "$prefix/$bindir/$program" ] || fail "$bindir/$program is not executable"
done
# The program tells an installed copy from a build-tree one by this directory.
[ -d "$prefix/$datadir/ferolune" ] || fail "$datadir/ferolune was not installed"
[ -f "$prefix/$datadir/ferolune/atlas.idx" ] || fail "the atlas was not installed"

for size in 32 64; do
  geometry=$(identify -format '%wx%h' "$prefix/$datadir/icons/hicolor/${size}x${size}/apps/ferolune.png" 2>/dev/null || true)
  [ -z "$geometry" ] || [ "$geometry" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $geometry"
done

if [ -x "$prefix/$bindir/ferolune-cli" ]; then
  for program in ferolune ferolune-cli; do
    missing=$(ldd "$prefix/$bindir/$program" | grep 'not found' || true)
    [ -z "$missing" ] || fail "libraries of $program not found: $missing"
  done
  # The command line links no widgets.
  libraries=$(ldd "$prefix/$bindir/ferolune-cli")
  [[ $libraries != *libQt6Widgets* ]] || fail "ferolune-cli links Qt Widgets"
  # The installed command line starts, and finds the ephemeris in the system's data
  # directory and the atlas in its own: it makes a calendar of a birthplace.
  version=$("$prefix/$bindir/ferolune-cli" --version 2>/dev/null || true)
  [[ $version == "ferolune-cli "* ]] || fail "ferolune-cli --version printed '$version'"
  "$prefix/$bindir/ferolune-cli" export --date 1973-02-26 --time 02:50 --place Budapest \
    --year 2026 -o "$root/naptar.csv" >/dev/null 2>&1 || fail "the installed command line made no calendar"
  rows=$(wc -l < "$root/naptar.csv" 2>/dev/null || echo 0)
  [ "$rows" -eq 366 ] || fail "the installed command line's calendar has $rows lines, not 366"
  # The window program names the command line when it is given a command.
  said=$("$prefix/$bindir/ferolune" export 2>&1 || true)
  [[ $said == *ferolune-cli* ]] || fail "ferolune export does not name ferolune-cli"
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/$datadir/applications/ferolune.desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed: the menu entry is not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/$datadir/metainfo/org.example.ferolune.metainfo.xml" \
    || fail "appstreamcli validate"
else
  echo "appstreamcli not installed: the AppStream data are not validated"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed files in place under $prefix"
