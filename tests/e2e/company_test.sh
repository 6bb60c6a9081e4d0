#!/usr/bin/env bash
# End-to-end: the business's own data. At the first start in a folder the
# "Datos de la empresa" dialog asks for it; what it stores in empresa.ini
# heads the title bar and every printed quote, with IVA and Total worked
# out, the letters in the printer's table and the body wrapped at spaces.
# empresa.ini as Notepad saves it (ANSI, UTF-8 with and without its mark)
# prints the same bytes. One of bytes no editor writes is kept aside, not
# rewritten.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

# The company dialog's template is 400 x 266 units.
COMPANY_NAME="62 20 260 12"
COMPANY_VAT="62 174 30 12"
COMPANY_OK="125 248 55 14"

BUSINESS=($'Reformas Pe\xf1a S.L.' $'Fontaner\xeda y alba\xf1iler\xeda' 'C/ Mayor 1, 28013 Madrid'
          $'Tel\xe9fono 912 345 678' 'NIF B-12345678 - info@reformaspena.es')

click_company() { DIALOG_UNITS_WIDE=400 DIALOG_UNITS_HIGH=266 e2e_click_control "$DIALOG" $1; }

# The main window's title as X has it (UTF-8).
title_for() { printf 'Programa de Presupuestos. %s' "$(printf '%s' "$1" | iconv -f WINDOWS-1252 -t UTF-8)"; }

# write_ini FORM: the business's data in empresa.ini, as ansi, utf8 or bom.
write_ini() {
  {
    printf '[Empresa]\r\nNombre=%s\r\nActividad=%s\r\nDireccion=%s\r\n' "${BUSINESS[@]:0:3}"
    printf 'Telefono=%s\r\nOtros=%s\r\nIVA=21\r\n' "${BUSINESS[@]:3:2}"
  } >"$CASE_AUX/ansi.ini"
  case $1 in
    ansi) cp "$CASE_AUX/ansi.ini" "$CASE_DIR/empresa.ini" ;;
    utf8) iconv -f WINDOWS-1252 -t UTF-8 "$CASE_AUX/ansi.ini" >"$CASE_DIR/empresa.ini" ;;
    bom) { printf '\xef\xbb\xbf'; iconv -f WINDOWS-1252 -t UTF-8 "$CASE_AUX/ansi.ini"; } \
           >"$CASE_DIR/empresa.ini" ;;
  esac
}

first_start() {
  local today body name total company
  today=$(e2e_today)
  e2e_launch
  MAIN=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  DIALOG=$(e2e_wait_window "Datos de la empresa" "$PROGRAM_PID")
  e2e_pass "the first start asks for the business's data"
  click_company "$COMPANY_NAME"
  e2e_select_all_in_field
  e2e_paste "${BUSINESS[0]}"
  click_company "$COMPANY_VAT"
  e2e_type '21'
  e2e_shot company_dialog "$DIALOG"
  click_company "$COMPANY_OK"
  e2e_check "\"Aceptar\" closes it" e2e_wait_hidden "$DIALOG"
  e2e_check "the title bar names the business" \
    e2e_wait_until "$E2E_TIMEOUT" test -n "$(e2e_find_window "$(title_for "${BUSINESS[0]}")" "$PROGRAM_PID")"
  e2e_check "empresa.ini holds it" \
    grep -q "Nombre=Reformas Peña S.L." <(iconv -f UTF-16 -t UTF-8 "$CASE_DIR/empresa.ini")

  # A new quote printed before it is saved: stored under the number it
  # prints, letters in the printer's table, no 0x80 byte, the long line
  # broken at a space.
  name=$'Jos\xe9 N\xfa\xf1ez'
  body=$'Visita a \xbf\xc1vila?\n'
  body+=$'Impermeabilizaci\xf3n de la cubierta con l\xe1mina asf\xe1ltica y protecci\xf3n de '
  body+='grava, retirada de escombros incluida.'
  total='1.234,56'
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_paste "$name"
  e2e_click "$BODY_FIELD"
  e2e_paste "$body"
  e2e_click "$TOTAL_FIELD"
  e2e_type "$total"
  # The lines left empty (grey hints, no placeholders) print nothing.
  E2E_COMPANY=("${BUSINESS[0]}" '' '' '' '')
  local stored_body=${body//$'\n'/$'\r\n'}
  E2E_VAT_RATE=21 e2e_print_and_check "LPT1: the business's name, IVA 21 % and Total worked out" \
    "$NEW_PRINT" 1 "$stored_body" "$name" "$today" '' "$total"
  e2e_check "the name's accented letters reach LPT1 as the printer's table has them" \
    grep -qF $'Jos\x82 N\xa3\xa4ez' "$CASE_AUX/lpt1.out"
  e2e_check "an inverted question mark as its byte, a capital A without its accent" grep -qF $'\xa8Avila?' "$CASE_AUX/lpt1.out"
  e2e_check "no 0x80 byte reaches LPT1" test -z "$(LC_ALL=C grep -c $'\x80' "$CASE_AUX/lpt1.out" | grep -v '^0$')"
  e2e_record "$stored_body" "$name" "$today" '' "$total" >"$CASE_AUX/expected.dat"
  e2e_check_bytes "the printed quote is stored as quote 1" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_check "closing the dialog then asks nothing" e2e_wait_hidden "$DIALOG"

  # empresa.ini as each of Notepad's forms: the same bytes.
  E2E_COMPANY=("${BUSINESS[@]}")
  e2e_open_dialog 1 "Listar Presupuesto"
  for form in ansi utf8 bom; do
    write_ini "$form"
    E2E_VAT_RATE=21 e2e_print_and_check "empresa.ini saved as $form: every line of the business" \
      "$LIST_PRINT" 1 "$stored_body" "$name" "$today" '' "$total"
  done
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  e2e_end_program
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
}

# An empresa.ini of bytes no editor writes: told when the dialog opens,
# kept aside byte for byte on "Aceptar", and a new one written.
damaged_file() {
  local box
  { printf 'x\x01'; head -c 600 /dev/urandom; } >"$CASE_AUX/damaged.ini"
  cp "$CASE_AUX/damaged.ini" "$CASE_DIR/empresa.ini"
  e2e_settings 0 3 >"$CASE_DIR/config.cfg"
  e2e_launch
  MAIN=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  e2e_click_main_button "$MAIN" 4
  box=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  e2e_check "the dialog says the file holds no data" \
    grep -q 'empresa.ini no contiene los datos de la empresa' <<<"$(e2e_box_texts)"
  e2e_key "$box" Return
  DIALOG=$(e2e_wait_window "Datos de la empresa" "$PROGRAM_PID")
  e2e_check_bytes "reading left the file as it was" "$CASE_AUX/damaged.ini" "$CASE_DIR/empresa.ini"
  click_company "$COMPANY_NAME"
  e2e_select_all_in_field
  e2e_paste "${BUSINESS[0]}"
  click_company "$COMPANY_OK"
  e2e_wait_until "$E2E_TIMEOUT" test -e "$CASE_DIR/empresa.ini.anterior"
  box=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  e2e_shot damaged_company_file_aside
  e2e_check "the box says where the old file went" \
    grep -q 'guardado aparte como empresa.ini.anterior' <<<"$(e2e_box_texts)"
  e2e_key "$box" Return
  e2e_check "the dialog closes" e2e_wait_hidden "$DIALOG"
  e2e_check_bytes "the old file is kept aside byte for byte" "$CASE_AUX/damaged.ini" \
    "$CASE_DIR/empresa.ini.anterior"
  e2e_check "the new empresa.ini holds the name" \
    grep -q "Nombre=Reformas Peña S.L." <(iconv -f UTF-16 -t UTF-8 "$CASE_DIR/empresa.ini")
  e2e_click_main_button "$MAIN" 3
  e2e_wait_exit
}

e2e_begin
e2e_run_case first_start first_start
e2e_run_case damaged_file damaged_file
e2e_end
