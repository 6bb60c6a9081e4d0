#!/usr/bin/env bash
# End-to-end: printing on a machine where LPT1 cannot be opened. "Imprimir"
# in the list dialog opens the system's print dialog; its OK prints the page
# through CUPS on a cups-pdf queue, whose PDF gives back every line of the
# sheet with the customer's letters as typed, and the letterhead; its
# "Cancelar" prints nothing and says nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

QUEUE=PDF
# cups-pdf writes each job into the submitting user's PDF folder.
PDF_FOLDER=$HOME/PDF
CUPSD_PID=""

cups_running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }

# Starts CUPS when it is not running (it is stopped again at the end), and
# makes a cups-pdf queue the default printer.
start_cups() {
  local tool
  for tool in cupsd lpadmin lpstat pdftotext; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
  done
  if ! cups_running; then
    cupsd -f >/dev/null 2>&1 &
    CUPSD_PID=$!
    e2e_wait_until "$E2E_TIMEOUT" cups_running || {
      echo "cupsd did not start" >&2
      exit 1
    }
  fi
  if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
    # lpadmin warns that printer drivers are deprecated; the queue works.
    lpadmin -p "$QUEUE" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null
  fi
  lpadmin -d "$QUEUE"
}

stop_cups() {
  if [[ -n "$CUPSD_PID" ]]; then
    kill "$CUPSD_PID" 2>/dev/null || true
    wait "$CUPSD_PID" 2>/dev/null || true
  fi
}

# The PDFs that cups-pdf has made of the program's quotes, one a line.
quote_pdfs() { ls -1 "$PDF_FOLDER"/Presupuesto_*.pdf 2>/dev/null | sort || true; }

# A PDF that was not there before the case, and is complete.
new_pdf() {
  NEW_PDF=$(comm -13 "$CASE_AUX/pdfs.before" <(quote_pdfs) | head -n 1)
  [[ -n "$NEW_PDF" ]] && pdftotext "$NEW_PDF" - >/dev/null 2>&1
}

# wait_print_dialog: the id of the print dialog: a window of the program
# that is none of its own (its title is the system's, in its language).
wait_print_dialog() {
  local id deadline=$((SECONDS + E2E_TIMEOUT))
  while ((SECONDS < deadline)); do
    for id in $(xdotool search --onlyvisible --pid "$PROGRAM_PID" --name '.' 2>/dev/null); do
      [[ "$id" == "$MAIN" || "$id" == "$DIALOG" ]] && continue
      [[ "$(xdotool getwindowname "$id")" == Presupuestos ]] && continue
      sleep 0.3
      echo "$id"
      return 0
    done
    sleep 0.2
  done
  echo "no print dialog shown" >&2
  return 1
}

print_without_lpt1() {
  local body name date address total number=1
  # A 76-character line fills its row; the empty address is an empty field.
  # No "-" or ";": Liberation Mono draws each with a glyph it shares with
  # U+00AD and U+037E, and the PDF's text map made under Wine gives those.
  body=$'Instalaci\xf3n de ca\xf1er\xeda en el ba\xf1o del 2\xba piso, '
  body+=$'con grifer\xeda nueva y desag\xfce.'
  body+=$'\r\nPrecio por metro de tubo: 18,50 \x80 (IVA no incluido).'
  body+=$'\r\n\xbfPlazo? La 1\xaa semana de abril, avisar a D. \xcd\xf1igo \xd1\xfa\xf1ez.'
  name=$'Hermanos Mu\xf1oz N\xfa\xf1ez'
  date='15/03/2026'
  address=''
  total='1.234,56'
  e2e_record "$body" "$name" "$date" "$address" "$total" >"$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_DIR/config.cfg"
  rm -f "$WINEPREFIX/dosdevices/lpt1"
  quote_pdfs >"$CASE_AUX/pdfs.before"

  e2e_start_program
  e2e_open_dialog 1 "Listar Presupuesto"

  e2e_click_control "$DIALOG" $LIST_PRINT
  local print_dialog
  print_dialog=$(wait_print_dialog)
  e2e_pass "\"Imprimir\" without LPT1 opens the print dialog"
  e2e_shot print_dialog
  e2e_key "$print_dialog" Return
  e2e_check "its OK prints the quote through CUPS into a PDF" e2e_wait_until 60 new_pdf
  cp "$NEW_PDF" "$CASE_AUX/page.pdf"
  rm -f "$NEW_PDF"

  e2e_page_text "$CASE_AUX/page.pdf" >"$CASE_AUX/page.txt"
  e2e_check_equal "the letterhead's texts come first" \
    "$(printf '%s\n' 'Nombre empresa.' Datos Direccion Telefono Datos)" \
    "$(head -n 5 "$CASE_AUX/page.txt" | tr -s ' ' | sed 's/^ //')"
  E2E_SHEET_FORM=page e2e_expected_sheet "$number" "$body" "$name" "$date" "$address" "$total" |
    tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 | e2e_sheet_lines >"$CASE_AUX/expected.txt"
  e2e_check_equal "then every line of the sheet, with the letters as typed" \
    "$(cat "$CASE_AUX/expected.txt")" "$(tail -n +6 "$CASE_AUX/page.txt")"

  quote_pdfs >"$CASE_AUX/pdfs.before"
  e2e_click_control "$DIALOG" $LIST_PRINT
  print_dialog=$(wait_print_dialog)
  e2e_key "$print_dialog" Escape
  e2e_check "\"Cancelar\" closes the print dialog" e2e_wait_hidden "$print_dialog"
  sleep 5
  e2e_check "and prints nothing" test -z "$(comm -13 "$CASE_AUX/pdfs.before" <(quote_pdfs))"
  e2e_check "the list dialog stays open" e2e_window_shown "$DIALOG"

  e2e_click_control "$DIALOG" $CANCEL_BUTTON
  e2e_wait_hidden "$DIALOG"
  e2e_end_program
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
  e2e_check_equal "nothing was written in the working folder but its lock file" \
    "$(printf '%s\n' config.cfg datos.dat fondo.bmp presupuestos.lck)" "$(ls -A "$CASE_DIR" | sort)"
}

# With LPT1 working, Shift held on "Imprimir" opens the print dialog for one
# quote: a PDF of the business's letterhead with its logo, IVA and Total
# worked out, the long line broken at a space as on LPT1, the lines under
# the boxes; nothing goes to LPT1.
business_page_with_lpt1() {
  local body name date address total title
  body=$'Impermeabilizaci\xf3n de la cubierta con l\xe1mina asf\xe1ltica y protecci\xf3n de '
  body+=$'grava, retirada de escombros incluida.\r\n\r\nMano de obra: dos oficiales, tres jornadas.'
  body+=$'\r\n\xbfPlazo? La 1\xaa semana de abril.'
  name=$'Hermanos Mu\xf1oz N\xfa\xf1ez'
  date='15/03/2026'
  address='C/ Sol 2'
  total='1.234,56'
  e2e_record "$body" "$name" "$date" "$address" "$total" >"$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_DIR/config.cfg"
  e2e_business_files
  quote_pdfs >"$CASE_AUX/pdfs.before"

  e2e_launch
  title='Programa de Presupuestos. Reformas Peña S.L.'
  MAIN=$(MAIN_TITLE=$title e2e_wait_main)
  e2e_open_dialog 1 "Listar Presupuesto"
  xdotool keydown shift
  e2e_click_control "$DIALOG" $LIST_PRINT
  xdotool keyup shift
  local print_dialog
  print_dialog=$(wait_print_dialog)
  e2e_pass "Shift and \"Imprimir\" open the print dialog though LPT1 works"
  e2e_key "$print_dialog" Return
  e2e_check "its OK prints the quote through CUPS into a PDF" e2e_wait_until 60 new_pdf
  cp "$NEW_PDF" "$CASE_AUX/page.pdf"
  rm -f "$NEW_PDF"
  e2e_check "nothing went to LPT1" test ! -s "$CASE_AUX/lpt1.out"

  e2e_check_business_page "then the sheet: the long line broken at a space, IVA 21 % and the Total, and the lines under it" \
    "$CASE_AUX/page.pdf" "$body" "$name" "$date" "$address" "$total"
  pdftoppm -r 60 -png -singlefile "$CASE_AUX/page.pdf" "$E2E_BUILD/shots/page_with_logo"

  e2e_click_control "$DIALOG" $CANCEL_BUTTON
  e2e_wait_hidden "$DIALOG"
  e2e_end_program
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
}

e2e_begin
trap 'stop_cups; e2e_cleanup' EXIT
start_cups
e2e_run_case print_without_lpt1 print_without_lpt1
e2e_run_case business_page_with_lpt1 business_page_with_lpt1
e2e_end
