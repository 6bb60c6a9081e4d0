#!/usr/bin/env bash
# End-to-end: the Windows download. The zip holds the program, its picture
# and the guide, the program carries the repository's version, and once
# unpacked into a fresh folder it starts there and keeps its files there.
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
  e2e_check_equal "LEEME.txt starts with the UTF-8 mark" efbbbf "$(head -c 3 "$guide" | xxd -p)"
  e2e_check "LEEME.txt is UTF-8" iconv -f UTF-8 -t UTF-8 -o /dev/null "$guide"
  e2e_check "every line of LEEME.txt ends in CR LF" \
    test "$(grep -cv $'\r$' "$guide")-$(tail -c 1 "$guide" | xxd -p)" = 0-0a
  e2e_check "LEEME.txt says what docs/LEEME.txt says" \
    cmp -s <(tail -c +4 "$guide" | tr -d '\r') "$E2E_ROOT/docs/LEEME.txt"
  e2e_check_bytes "fondo.bmp is the program's picture" "$E2E_ROOT/resources/fondo.bmp" \
    "$unpacked/fondo.bmp"

  numbers="${VERSION_TEXT//./, }, 0"
  e2e_check_equal "the program's version resource names version $VERSION_TEXT" \
    "FILEVERSION $numbers
PRODUCTVERSION $numbers
VALUE \"FileDescription\", \"Programa de Presupuestos\"
VALUE \"FileVersion\", \"$VERSION_TEXT\"
VALUE \"InternalName\", \"presupuestos\"
VALUE \"OriginalFilename\", \"presupuestos.exe\"
VALUE \"ProductName\", \"Presupuestos\"
VALUE \"ProductVersion\", \"$VERSION_TEXT\"
VALUE \"Translation\", 0xc0a, 1252" "$(version_lines "$unpacked/presupuestos.exe")"
}

# Colours at points of the picture away from the buttons: the top of the
# shading, the band, the panel, its frame and the lower shading.
POINTS='%[pixel:p{20,10}] %[pixel:p{320,29}] %[pixel:p{320,135}] %[pixel:p{220,300}] %[pixel:p{600,400}]'
colours_at_points() { convert "$1" -format "$POINTS" info:; }

shows_picture() {
  e2e_shot dist_main_window "$1"
  [[ "$(colours_at_points "$E2E_BUILD/shots/dist_main_window.png")" == "$2" ]]
}

runs_from_fresh_folder() {
  local window expected
  # The zip brings its own picture into a folder that holds nothing else.
  rm -f "$CASE_DIR/fondo.bmp"
  unzip -q "$ZIP" -d "$CASE_DIR"
  PRESUPUESTOS_EXE=$CASE_DIR/presupuestos.exe
  e2e_launch
  window=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  expected=$(colours_at_points "$CASE_DIR/fondo.bmp")
  if e2e_wait_until 10 shows_picture "$window" "$expected"; then
    e2e_pass "the main window shows the picture from the zip"
  else
    e2e_fail "the main window shows the picture from the zip: expected [$expected], got" \
      "[$(colours_at_points "$E2E_BUILD/shots/dist_main_window.png")]"
  fi
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
