#!/usr/bin/env bash
# End-to-end: the Windows download. The zip holds the program, its picture
# and the guide, the program carries the repository's version, its manifest
# and its icon in four sizes, and once unpacked into a fresh folder it starts
# there and keeps its files there.
# Takes the zip from PRESUPUESTOS_ZIP, or makes it with scripts/dist.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

VERSION_TEXT=$(head -n 1 "$E2E_ROOT/VERSION")
ZIP=${PRESUPUESTOS_ZIP:-$E2E_ROOT/dist/presupuestos-$VERSION_TEXT-win64.zip}
[[ -f "$ZIP" ]] || bash "$E2E_ROOT/scripts/dist.sh"

# The version resource as the resource compiler reads it back from the .exe.
version_lines() {
  x86_64-w64-mingw32-windres -i "$1" -O rc |
    sed -n 's/^ *\(FILEVERSION .*\|PRODUCTVERSION .*\|VALUE .*\)$/\1/p'
}

zip_contents() {
  local unpacked=$CASE_AUX/unpacked guide numbers
  e2e_check_equal "the zip holds the program, the picture and the guide, at its top" \
    "presupuestos.exe fondo.bmp LEEME.txt" "$(unzip -Z1 "$ZIP" | paste -sd ' ')"
  unzip -q "$ZIP" -d "$unpacked"
  guide=$unpacked/LEEME.txt
  e2e_check "LEEME.txt is UTF-8" iconv -f UTF-8 -t UTF-8 -o /dev/null "$guide"
  e2e_check "LEEME.txt is docs/LEEME.txt after the UTF-8 mark, with CR LF line ends" \
    cmp -s <(printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$E2E_ROOT/docs/LEEME.txt") "$guide"

  numbers="${VERSION_TEXT//./, }, 0"
  e2e_check_equal "the program's version resource names version $VERSION_TEXT" \
    "FILEVERSION $numbers
PRODUCTVERSION $numbers
VALUE \"FileDescription\", \"Programa de Presupuestos\"
VALUE \"FileVersion\", \"$VERSION_TEXT\"
VALUE \"InternalName\", \"presupuestos\"
VALUE \"LegalCopyright\", L\"Copyright \\251 2026 Los autores de Presupuestos\"
VALUE \"OriginalFilename\", \"presupuestos.exe\"
VALUE \"ProductName\", \"Presupuestos\"
VALUE \"ProductVersion\", \"$VERSION_TEXT\"
VALUE \"Translation\", 0xc0a, 1252" "$(version_lines "$unpacked/presupuestos.exe")"

  # The resources as icoutils reads them back from the .exe: the manifest the
  # system reads at start (type 24, id 1), and the icon group (type 14).
  e2e_check "the program carries resources/presupuestos.manifest as its manifest" \
    cmp -s "$E2E_ROOT/resources/presupuestos.manifest" \
    <(wrestool -x --raw --type=24 --name=1 "$unpacked/presupuestos.exe")
  wrestool -x --type=14 "$unpacked/presupuestos.exe" >"$CASE_AUX/icon.ico"
  e2e_check_equal "its icon group has images of 16, 32, 48 and 256 pixels" "16 32 48 256" \
    "$(icotool -l "$CASE_AUX/icon.ico" | sed -n 's/.*--width=\([0-9]*\) .*/\1/p' | paste -sd ' ')"
}

# Colours at points of the picture away from the buttons: the top of the
# shading, the band, the panel, its frame and the lower shading.
POINTS='%[pixel:p{20,10}] %[pixel:p{320,29}] %[pixel:p{320,135}] %[pixel:p{220,300}] %[pixel:p{600,400}]'
colours_at_points() { convert "$1" -format "$POINTS" info:; }

# shows_picture WINDOW: its client area has the colours of fondo.bmp.
shows_picture() {
  e2e_shot dist_main_window "$1"
  [[ "$(colours_at_points "$E2E_BUILD/shots/dist_main_window.png")" == \
     "$(colours_at_points "$E2E_ROOT/resources/fondo.bmp")" ]]
}

runs_from_fresh_folder() {
  local window
  # The zip brings its own picture into a folder that holds nothing else.
  rm -f "$CASE_DIR/fondo.bmp"
  unzip -q "$ZIP" -d "$CASE_DIR"
  PRESUPUESTOS_EXE=$CASE_DIR/presupuestos.exe
  e2e_launch
  window=$(e2e_wait_main)
  e2e_check "the main window shows fondo.bmp (build/e2e/shots/dist_main_window.png)" \
    e2e_wait_until 10 shows_picture "$window"
  e2e_click_main_button "$window" 3
  e2e_wait_exit
  e2e_settings 0 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg in the unpacked folder counts one launch" \
    "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
}

e2e_begin
e2e_run_case zip_contents zip_contents
e2e_run_case runs_from_fresh_folder runs_from_fresh_folder
e2e_end
