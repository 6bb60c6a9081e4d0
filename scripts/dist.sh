#!/usr/bin/env bash
# Makes the Windows download, dist/presupuestos-VERSION-win64.zip: the
# program, its background picture and the user's guide LEEME.txt, at the
# zip's top level. The same sources give the same zip, byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dist
bash scripts/build_windows.sh

version=$(head -n 1 VERSION)
name=presupuestos-$version-win64
stage=build/dist/$name
rm -rf "$stage"
mkdir -p "$stage" dist
cp build/windows/presupuestos.exe resources/fondo.bmp "$stage/"
# Every Notepad takes the guide for UTF-8 when it starts with a BOM, and the
# older ones break lines only at CR LF.
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' docs/LEEME.txt
} >"$stage/LEEME.txt"

# Fixed dates (the last commit's), modes and order, and no extra fields,
# so that the zip does not depend on when or by whom it was made.
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || stat -c %Y VERSION)}
chmod 644 "$stage"/*
touch -d "@$stamp" "$stage"/*
rm -f "dist/$name.zip"
(cd "$stage" && TZ=UTC zip -X -q -9 "$OLDPWD/dist/$name.zip" presupuestos.exe fondo.bmp LEEME.txt)
echo "dist/$name.zip: $(wc -c <"dist/$name.zip") bytes"
