#!/usr/bin/env bash
# End-to-end: the quote's PDF and the e-mail. "PDF" in the list dialog writes
# one file into PDF\, which qpdf and poppler read back as the sheet's rows in
# standard Courier with the logo, the bytes /pdf writes. "Correo" hands the
# mail program (under Wine: winemapi, then winebrowser with a mailto: URL,
# then xdg-email) the subject and the PDF, a logo that cannot be read told
# once before.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

LIST_PDF="180 230 22 14"
LIST_MAIL="205 230 28 14"
MAIN_TITLE='Programa de Presupuestos. Reformas Peña S.L.'
NAME=$'Hermanos Mu\xf1oz N\xfa\xf1ez'
FILE_NAME="Presupuesto 1 - Hermanos Muñoz Núñez.pdf"

quiet() { "$@" >/dev/null; }

# One quote with accents, "€", parentheses and 24 body rows, and a business
# with IVA 21, a 400 x 200 logo and two lines under the boxes, in the list
# dialog: "PDF", then "Correo" once the logo's file holds no picture.
pdf_and_mail() {
  local row
  BODY=$'Instalaci\xf3n de ca\xf1er\xeda (ba\xf1o del 2\xba piso): 18,50 \x80 el metro.'
  for row in $(seq 2 24); do BODY+=$'\r\n'"Partida $row: tubo de cobre 1\\2\", mano de obra "$'(ma\xf1ana).'; done
  e2e_record "$BODY" "$NAME" '15/03/2026' 'C/ Sol 2' '1.234,56' >"$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_DIR/config.cfg"
  e2e_business_files
  mkdir -p "$CASE_AUX/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$CASE_AUX/xdg-email.args" >"$CASE_AUX/bin/xdg-email"
  chmod +x "$CASE_AUX/bin/xdg-email"
  # Wine's winebrowser tries /usr/bin/open first, which Debian's mailcap
  # takes; the office's mail program here is xdg-email alone.
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Mailers /t REG_SZ /d xdg-email /f >/dev/null 2>&1
  # winemapi lists the attachments it was handed on its fixme channel.
  PATH="$CASE_AUX/bin:$PATH" E2E_WINEDEBUG=fixme+winemapi e2e_start_program
  e2e_open_dialog 1 "Listar Presupuesto"

  # "PDF", and "No" to opening the folder.
  e2e_click "$LIST_PDF"
  e2e_wait_box
  e2e_key "$BOX" n
  e2e_wait_hidden "$BOX"
  local pdf="$CASE_DIR/PDF/$FILE_NAME"
  e2e_check_equal "\"PDF\" writes one file into PDF, named after the quote and its customer" \
    "$FILE_NAME" "$(ls -A "$CASE_DIR/PDF")"
  cp "$pdf" "$CASE_AUX/saved.pdf"
  e2e_check "qpdf finds the file sound" quiet qpdf --check "$pdf"
  e2e_check "pdffonts lists the standard Courier, not embedded, in WinAnsi" \
    grep -Eq '^Courier +Type 1 +WinAnsi +no' <(pdffonts "$pdf")
  e2e_check_business_page "its text: the sheet's 24 body rows, IVA 21 % and the Total, the lines under it" \
    "$pdf" "$BODY" "$NAME" '15/03/2026' 'C/ Sol 2' '1.234,56'

  printf 'no es un PNG' >"$CASE_DIR/logo.png"
  e2e_click "$LIST_MAIL"
  e2e_wait_box
  e2e_check "\"Correo\" first says the logo could not be read" \
    grep -q '^No se ha podido leer el logotipo (logo.png)' <<<"$(e2e_box_texts | tail -n 1)"
  e2e_key "$BOX" Return
  e2e_check "then opens a message in the mail program (xdg-email is called)" \
    e2e_wait_until "$E2E_TIMEOUT" test -s "$CASE_AUX/xdg-email.args"
  # The mailto: URL's texts are Windows-1252, percent-encoded.
  e2e_check "its subject names the quote and the business" \
    grep -q '^mailto:?subject=Presupuesto%20N%BA%201%20-%20Reformas%20Pe%F1a%20S.L.&' "$CASE_AUX/xdg-email.args"
  e2e_check "the message's attachment is the quote's PDF in PDF" \
    grep -q 'MAPISendMail.*PDF\\\\Presupuesto 1 - Hermanos Mu\\xf1oz N\\xfa\\xf1ez.pdf' "$CASE_AUX/wine.log"
  : >"$CASE_AUX/xdg-email.args"
  e2e_click "$LIST_MAIL"
  e2e_check "a second \"Correo\" opens another message" \
    e2e_wait_until "$E2E_TIMEOUT" test -s "$CASE_AUX/xdg-email.args"
  e2e_check_equal "the logo was told once: two boxes in all, with the PDF's" 2 "$(e2e_box_texts | wc -l)"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  e2e_end_program
  wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Mailers /f >/dev/null 2>&1 || true

  local rc=0
  e2e_logo_png "$CASE_DIR/logo.png"
  (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /pdf 1 'C:\windows\temp\uno.pdf') || rc=$?
  e2e_check_equal "/pdf 1 RUTA ends with exit code 0" 0 "$rc"
  e2e_check_bytes "and writes the bytes \"PDF\" wrote" "$CASE_AUX/saved.pdf" "$WINEPREFIX/drive_c/windows/temp/uno.pdf"
}

e2e_begin
e2e_run_case pdf_and_mail pdf_and_mail
e2e_end
