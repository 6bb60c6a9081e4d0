#!/usr/bin/env bash
# End-to-end: the program under a system code page of UTF-8 (the locale
# hi_IN.UTF-8, in a Wine prefix of its own), where the system's "A" calls
# would read and write UTF-8. Stored Windows-1252 letters are shown as such,
# a correction keeps every byte it did not change, a pasted letter is
# stored as its one Windows-1252 byte, and LPT1 gets the same bytes as
# under a Windows-1252 system.
set -euo pipefail
E2E_WINEPREFIX=${E2E_UTF8_WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/e2e/prefix-utf8}
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"
export LANG=hi_IN.UTF-8 LC_ALL=hi_IN.UTF-8

QUOTE=($'Instalaci\xf3n en el 2\xba piso\r\n\xbfPlazo? 1\xaa semana' $'Pe\xf1a N\xfa\xf1ez' '6/12/2026'
       $'Plaza Espa\xf1a 3\xba' '1.234,56')

# What a field shows, as UTF-8, through the clipboard.
field_text() {
  e2e_click "$1"
  e2e_select_all_in_field
  xdotool key ctrl+c
  sleep 0.3
  timeout 5 xclip -selection clipboard -o 2>/dev/null || true
}

stored_quote() {
  e2e_record "${QUOTE[@]}" >"$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_DIR/config.cfg"
  e2e_start_program

  e2e_open_dialog 1 "Listar Presupuesto"
  e2e_check_equal "the stored name is shown with its letters" "Peña Núñez" "$(field_text "$NAME_FIELD")"
  e2e_expected_job 1 "${QUOTE[@]}" >"$CASE_AUX/expected.prn"
  e2e_click "$LIST_PRINT"
  e2e_wait_for_bytes "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
  e2e_check_bytes "LPT1 gets the bytes it gets under Windows-1252" \
    "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"

  e2e_open_dialog 2 "Modificar Presupuesto"
  e2e_click "$TOTAL_FIELD"
  e2e_select_all_in_field
  e2e_type '99,99'
  local corrected=("${QUOTE[@]}")
  corrected[4]='99,99'
  e2e_record "${corrected[@]}" >"$CASE_AUX/expected.dat"
  e2e_click "$MODIFY_SAVE"
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "\"Guardar\" of a new total keeps every other byte of the quote" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"

  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_paste $'Mu\xf1oz'
  e2e_save_new_quote "$DIALOG" 2
  e2e_record "" $'Mu\xf1oz' "$(e2e_today)" "" "" >"$CASE_AUX/new.dat"
  cat "$CASE_AUX/expected.dat" "$CASE_AUX/new.dat" >"$CASE_AUX/expected2.dat"
  e2e_wait_for_bytes "$CASE_AUX/expected2.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "a pasted \"ñ\" is stored as the byte F1" \
    "$CASE_AUX/expected2.dat" "$CASE_DIR/datos.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  e2e_end_program
  e2e_check_equal "no message box but the save's" "Presupuesto 2 guardado." "$(e2e_box_texts)"
}

e2e_begin
e2e_run_case stored_quote stored_quote
e2e_end
