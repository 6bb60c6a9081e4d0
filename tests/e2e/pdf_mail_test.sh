#!/usr/bin/env bash
# End-to-end: the quote's PDF and the e-mail. "PDF" in the list dialog writes
# one file into PDF\, which qpdf and poppler read back as the sheet's rows in
# standard Courier, the same bytes every time and as /pdf writes them.
# "Correo" hands the mail program (under Wine: winemapi, then winebrowser
# with a mailto: URL, then xdg-email) the subject and the PDF; with no Simple
# MAPI at all the program says where the PDF is.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

LIST_PDF="180 230 22 14"
LIST_MAIL="205 230 28 14"
NAME=$'Hermanos Mu\xf1oz N\xfa\xf1ez'
FILE_NAME="Presupuesto 1 - Hermanos Muñoz Núñez.pdf"
FIRST_PDF="$E2E_BUILD/cases/pdf_mail_test/pdf_button.aux/first.pdf"

quiet() { "$@" >/dev/null; }

# One quote with accents, "€", parentheses and 24 body rows, and a business
# with its name, IVA 21, a 400 x 200 logo and two lines under the boxes.
store_quote() {
  local row
  BODY=$'Instalaci\xf3n de ca\xf1er\xeda (ba\xf1o del 2\xba piso): 18,50 \x80 el metro.'
  for row in $(seq 2 24); do BODY+=$'\r\n'"Partida $row: tubo de cobre 1\\2\", mano de obra "$'(ma\xf1ana).'; done
  e2e_record "$BODY" "$NAME" '15/03/2026' 'C/ Sol 2' '1.234,56' >"$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_DIR/config.cfg"
  e2e_business_ini logo >"$CASE_DIR/empresa.ini"
  e2e_logo_png "$CASE_DIR/logo.png"
}

# open_list: the program started on the case's folder, its list dialog open.
open_list() {
  e2e_launch
  MAIN=$(MAIN_TITLE='Programa de Presupuestos. Reformas Peña S.L.' e2e_wait_main)
  e2e_click_main_button "$MAIN" 1
  DIALOG=$(e2e_wait_window "Listar Presupuesto" "$PROGRAM_PID")
}

close_list() {
  e2e_click_control "$DIALOG" $CANCEL_BUTTON
  e2e_wait_hidden "$DIALOG"
  e2e_click_main_button "$MAIN" 3
  e2e_wait_exit
}

# save_pdf: "PDF", and "No" to opening the folder.
save_pdf() {
  local box
  e2e_click_control "$DIALOG" $LIST_PDF
  box=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  e2e_key "$box" n
  e2e_wait_hidden "$box"
}

pdf_button() {
  store_quote
  open_list
  e2e_shot pdf_list_dialog "$DIALOG"
  save_pdf
  local pdf="$CASE_DIR/PDF/$FILE_NAME"
  e2e_check_equal "\"PDF\" writes one file into PDF, named after the quote and its customer" \
    "$FILE_NAME" "$(ls -A "$CASE_DIR/PDF")"
  e2e_check "and says where it is, offering to open the folder" \
    grep -q 'guardado el PDF del presupuesto 1 en la carpeta PDF:\\n.*PDF\\\\Presupuesto 1 - Hermanos Mu\\00f1oz N\\00fa\\00f1ez.pdf\\n\\n\\00bfDesea abrir la carpeta?' \
    <(e2e_box_texts)
  e2e_check "qpdf finds the file sound" quiet qpdf --check "$pdf"
  e2e_check "pdffonts lists the standard Courier, not embedded, in WinAnsi" \
    grep -Eq '^Courier +Type 1 +WinAnsi +no' <(pdffonts "$pdf")
  e2e_page_text "$pdf" >"$CASE_AUX/page.txt"
  e2e_check_equal "its text begins with the business's letterhead" \
    "$(printf '%s\n' 'Reformas Peña S.L.' 'Fontanería y albañilería' 'C/ Mayor 1, 28013 Madrid' \
      'Teléfono 912 345 678' 'NIF B12345678 info@reformaspena.es')" \
    "$(head -n 5 "$CASE_AUX/page.txt" | tr -s ' ' | sed 's/^ //')"
  {
    E2E_VAT_RATE=21 E2E_SHEET_FORM=page e2e_expected_sheet 1 "$BODY" "$NAME" '15/03/2026' 'C/ Sol 2' \
      '1.234,56'
    e2e_business_footer
  } | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 | e2e_sheet_lines >"$CASE_AUX/expected.txt"
  e2e_check_equal "then the sheet's rows as on paper: 24 body rows, IVA 21 % and the Total, the lines under it" \
    "$(cat "$CASE_AUX/expected.txt")" "$(tail -n +6 "$CASE_AUX/page.txt")"
  e2e_check_equal "the 400 x 200 logo is its one picture" "400 200" \
    "$(pdfimages -list "$pdf" | tail -n +3 | awk '{ print $4, $5 }')"
  pdftoppm -r 60 -png -singlefile "$pdf" "$E2E_BUILD/shots/pdf_page"

  cp "$pdf" "$CASE_AUX/first.pdf"
  save_pdf
  e2e_check_bytes "the same quote again gives the same bytes, in place" "$CASE_AUX/first.pdf" "$pdf"
  e2e_check_equal "and no other file" "$FILE_NAME" "$(ls -A "$CASE_DIR/PDF")"
  close_list

  local rc=0
  (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /pdf 1 'C:\windows\temp\uno.pdf') || rc=$?
  e2e_check_equal "/pdf 1 RUTA ends with exit code 0" 0 "$rc"
  e2e_check_bytes "and writes the button's bytes" "$pdf" "$WINEPREFIX/drive_c/windows/temp/uno.pdf"
  for target in datos.dat LPT1 'PDF\nul.pdf'; do
    rc=0
    (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /pdf 1 "$target") || rc=$?
    e2e_check_equal "/pdf 1 $target is refused with exit code 1" 1 "$rc"
  done
  e2e_check_equal "datos.dat is untouched" "$(e2e_record "$BODY" "$NAME" '15/03/2026' 'C/ Sol 2' \
    '1.234,56' | xxd -p)" "$(xxd -p "$CASE_DIR/datos.dat")"
}


# The argument Wine's winebrowser hands the recording xdg-email: a mailto:
# URL whose texts are Windows-1252, percent-encoded.
mailto_subject() {
  local url subject
  url=$(head -n 1 "$CASE_AUX/xdg-email.args")
  subject=${url#*subject=}
  subject=${subject%%&*}
  printf '%b' "${subject//%/\\x}"
}

mail_button() {
  store_quote
  mkdir -p "$CASE_AUX/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$CASE_AUX/xdg-email.args" >"$CASE_AUX/bin/xdg-email"
  chmod +x "$CASE_AUX/bin/xdg-email"
  # Wine's winebrowser tries /usr/bin/open first, which Debian's mailcap
  # takes; the office's mail program here is xdg-email alone.
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Mailers /t REG_SZ /d xdg-email /f >/dev/null 2>&1
  # winemapi lists the attachments it was handed on its fixme channel.
  PATH="$CASE_AUX/bin:$PATH" E2E_WINEDEBUG=fixme+winemapi open_list
  e2e_click_control "$DIALOG" $LIST_MAIL
  e2e_check "\"Correo\" opens a message in the mail program (xdg-email is called)" \
    e2e_wait_until "$E2E_TIMEOUT" test -s "$CASE_AUX/xdg-email.args"
  e2e_check_equal "its subject names the quote and the business" \
    "$(printf 'Presupuesto N\xba 1 - Reformas Pe\xf1a S.L.' | xxd -p)" "$(mailto_subject | xxd -p)"
  e2e_check "the message's attachment is the quote's PDF in PDF" \
    grep -q 'MAPISendMail.*PDF\\\\Presupuesto 1 - Hermanos Mu\\xf1oz N\\xfa\\xf1ez.pdf' "$CASE_AUX/wine.log"
  e2e_check "its text gives the total with IVA" grep -q '1.493,82%20€%20(IVA%20incluido)' \
    "$CASE_AUX/xdg-email.args"
  # The case before made the same quote's PDF in a folder of its own.
  if [[ -f "$FIRST_PDF" ]]; then
    e2e_check_bytes "and holds the bytes \"PDF\" wrote" "$FIRST_PDF" "$CASE_DIR/PDF/$FILE_NAME"
  fi
  e2e_check_equal "nothing is said when the mail program took the message" "" "$(e2e_box_texts)"
  close_list
  wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Mailers /f >/dev/null 2>&1 || true

  # A PC with no Simple MAPI at all (no mapi32.dll to load).
  rm -rf "$CASE_DIR/PDF"
  WINEDLLOVERRIDES=mapi32=d open_list
  e2e_click_control "$DIALOG" $LIST_MAIL
  local box
  box=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  e2e_check "with no mail program the message says so and where the PDF is" \
    grep -q 'no hay ning\\00fan programa de correo preparado en este equipo.\\nEl PDF est\\00e1 guardado en la carpeta PDF, para adjuntarlo a mano:\\n.*PDF\\\\Presupuesto 1 - Hermanos Mu\\00f1oz' \
    <(e2e_box_texts)
  e2e_check "and the PDF is there" test -s "$CASE_DIR/PDF/$FILE_NAME"
  e2e_key "$box" Return
  e2e_wait_hidden "$box"
  close_list
}

e2e_begin
e2e_run_case pdf_button pdf_button
e2e_run_case mail_button mail_button
e2e_end
