#!/usr/bin/env bash
# Takes the README's pictures of the real program under Wine, in Spanish: the
# main window, each dialog with a quote in it, the unsaved-changes question,
# the search, and the page printed without LPT1, into docs/images/ as small
# PNG files.
# Needs what the end-to-end tests need (scripts/deps.sh test). Takes the
# program from PRESUPUESTOS_EXE, or builds build/windows/presupuestos.exe.
#
# The program runs in Wine's virtual desktop, the one way to get window
# captions without a window manager; Wine then draws them itself.
root="$(cd "$(dirname "$0")/.." && pwd)"
if [[ -z "${PRESUPUESTOS_EXE:-}" ]]; then
  bash "$root/scripts/build_windows.sh"
fi
E2E_WINEPREFIX="$root/build/e2e/shots-prefix"
source "$root/tests/e2e/lib.sh"

images="$E2E_ROOT/docs/images"
# Wine draws the caption buttons with the Marlett font, which it does not
# find in its own folder on Debian; a copy in the prefix is enough.
marlett=/usr/share/wine/fonts/marlett.ttf

# The main window's client area, inside the frame and caption Wine draws.
CLIENT_LEFT=4
CLIENT_TOP=23

# keep_picture WINDOW NAME: the window, caption included, in 128 colours.
keep_picture() {
  sleep 0.5
  timeout 20 import -window "$1" "$CASE_AUX/$2.png"
  convert "$CASE_AUX/$2.png" +dither -colors 128 -strip "PNG8:$images/$2.png"
  echo "  $images/$2.png: $(wc -c <"$images/$2.png") bytes"
}

press_main_button() {
  local tops=(150 200 250 325 50 100)
  e2e_geometry "$MAIN"
  # The middle of the button; its size follows the system font.
  e2e_click_at $((GEOMETRY_X + CLIENT_LEFT + 240 + 60)) $((GEOMETRY_Y + CLIENT_TOP + ${tops[$1]} + 12))
}

# press_key WINDOW KEY: in the virtual desktop, a key sent to one window
# (xdotool key --window) that closes it also closed the next dialog opened;
# keys go through the X server instead, with the pointer over the window.
press_key() {
  e2e_geometry "$1"
  xdotool mousemove $((GEOMETRY_X + 20)) $((GEOMETRY_Y + GEOMETRY_HEIGHT / 2)) key "$2"
  sleep 0.1
}

# open_dialog BUTTON_INDEX TITLE: sets DIALOG.
open_dialog() {
  press_main_button "$1"
  DIALOG=$(e2e_wait_window "$2")
}

take_pictures() {
  {
    e2e_record $'Cambio de ba\xf1era por plato de ducha.' $'Fontaner\xeda Pena' '2/09/2026' \
      $'C/ Real 3' '1.320,00'
    e2e_record $'Reforma de cocina:\r\n- Desmontaje de muebles\r\n- Alicatado' $'Luis Garc\xeda' \
      '9/09/2026' $'C/ Olmo 8' '4.870,00'
    e2e_record $'Revisi\xf3n de la caldera.' $'Construcciones PE\xd1A S.L.' '16/09/2026' \
      $'Ctra. de Burgos km 3' '95,00'
    e2e_record $'Pintura de fachada.' $'Comunidad Los Olivos' '23/09/2026' $'C/ Olivo 2' '6.300,00'
    e2e_record $'Tejado: cambio de 30 tejas.' $'Ana L\xf3pez Pe\xf1a' '1/10/2026' $'Camino Viejo 11' '640,00'
    e2e_record $'Instalaci\xf3n de aire acondicionado.' $'Bar El Puerto' '9/10/2026' $'Plaza Mayor 1' '2.150,00'
    e2e_record $'Suelo laminado, 60 m\xb2.' $'Carmen Ruiz' '20/10/2026' $'C/ Sol 5, 3\xba' '1.740,00'
    e2e_record $'Puerta de entrada blindada.' $'Mar\xeda Ib\xe1\xf1ez' '27/10/2026' $'C/ Luna 9' '890,00'
    e2e_record $'Reparaci\xf3n de humedades.' $'Colegio San Jos\xe9' '30/10/2026' $'Avda. Castilla 20' '3.200,00'
    e2e_record $'Reparaci\xf3n de la cubierta de la nave:\r\n- Sustituci\xf3n de 40 tejas\r\n- Canal\xf3n de zinc, 12 m' \
      $'Talleres Ib\xe1\xf1ez S.L.' '3/11/2026' $'Pol\xedgono Sur, nave 4' '1.980,00'
    e2e_record $'Pintura de vivienda, 3 dormitorios y sal\xf3n.\r\nPintura pl\xe1stica blanca, dos manos.' \
      $'Mar\xeda Pe\xf1a' '18/11/2026' $'C/ Mayor 12, 2\xba A' '1.150,00'
    e2e_record $'Instalaci\xf3n el\xe9ctrica de la cocina:\r\n- 6 enchufes y 2 puntos de luz\r\n- Cuadro con diferencial\r\n\r\nMaterial y mano de obra incluidos.' \
      $'Jos\xe9 Mu\xf1oz Garc\xeda' '1/12/2026' $'Avda. de la Paz 7, 1\xaa' '2.430,50'
  } >"$CASE_DIR/datos.dat"
  e2e_settings 12 1 >"$CASE_DIR/config.cfg"
  printf '[Empresa]\r\nNombre=Reformas Pe\xf1a S.L.\r\nActividad=Fontaner\xeda y alba\xf1iler\xeda\r\n%s' \
    $'Direccion=C/ Mayor 1, 28013 Madrid\r\nTelefono=912 345 678\r\nOtros=NIF B-12345678\r\nIVA=21\r\n' \
    >"$CASE_DIR/empresa.ini"
  printf '%s' $'Pie1=Validez del presupuesto: 30 d\xedas\r\nPie2=Transferencia a ES12 3456 7890 1234\r\n' \
    $'Logo=logo.png\r\n' >>"$CASE_DIR/empresa.ini"
  e2e_logo_png "$CASE_DIR/logo.png"

  (cd "$CASE_DIR" && exec wine explorer /desktop=presupuestos,800x600 "$PRESUPUESTOS_EXE") \
    >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" &
  echo $! >>"$CASE_AUX/pids"
  MAIN=$(e2e_wait_window "Programa de Presupuestos. Reformas Pe$(printf '\xc3\xb1')a S.L.")
  keep_picture "$MAIN" main_window

  open_dialog 0 "Nuevo Presupuesto"
  # The name field has the focus; Tab goes on to the address, the body and
  # the total.
  e2e_geometry "$DIALOG"
  xdotool mousemove $((GEOMETRY_X + 20)) $((GEOMETRY_Y + GEOMETRY_HEIGHT / 2))
  e2e_paste $'Comunidad de Propietarios Ca\xf1ada 5'
  xdotool key Tab
  e2e_paste $'C/ Ca\xf1ada 5'
  xdotool key Tab
  e2e_paste $'Impermeabilizaci\xf3n de la terraza comunitaria (120 m\xb2):\n- Limpieza y saneado del soporte\n- L\xe1mina asf\xe1ltica de doble capa\n- Solado con baldosa de gres\n\nPlazo de ejecuci\xf3n: 2 semanas.'
  xdotool key Tab
  e2e_type '6.840,00'
  keep_picture "$DIALOG" new_quote
  # "Cancelar" with the quote unsaved asks whether to save it.
  press_key "$DIALOG" Escape
  local question
  question=$(e2e_wait_window "Modificado")
  keep_picture "$question" unsaved_question
  press_key "$question" n
  e2e_wait_hidden "$DIALOG"

  open_dialog 1 "Listar Presupuesto"
  keep_picture "$DIALOG" list_quotes
  press_key "$DIALOG" Escape
  e2e_wait_hidden "$DIALOG"

  open_dialog 2 "Modificar Presupuesto"
  keep_picture "$DIALOG" modify_quote
  press_key "$DIALOG" Escape
  e2e_wait_hidden "$DIALOG"

  open_dialog 4 "Datos de la empresa"
  keep_picture "$DIALOG" company_data
  press_key "$DIALOG" Escape
  e2e_wait_hidden "$DIALOG"

  # The search field has the focus; the list narrows as one types.
  open_dialog 5 "Buscar Presupuesto"
  e2e_geometry "$DIALOG"
  xdotool mousemove $((GEOMETRY_X + 20)) $((GEOMETRY_Y + GEOMETRY_HEIGHT / 2))
  e2e_paste $'pe\xf1a'
  keep_picture "$DIALOG" search_quotes
  press_key "$DIALOG" Escape
  e2e_wait_hidden "$DIALOG"

  press_main_button 3
}

mkdir -p "$images"
e2e_begin
if [[ -f "$marlett" && ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]]; then
  cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
fi
e2e_new_folder pictures
take_pictures

# page_picture PDF NAME: the PDF's page, drawn by pdftoppm, as
# docs/images/NAME.png; the third argument names the test that makes it.
page_picture() {
  if [[ -f "$1" ]]; then
    pdftoppm -r 60 -png -singlefile "$1" "$CASE_AUX/$2"
    convert "$CASE_AUX/$2.png" +dither -colors 16 -strip "PNG8:$images/$2.png"
    echo "  $images/$2.png: $(wc -c <"$images/$2.png") bytes"
  else
    echo "  no $1: run $3 for $2.png" >&2
  fi
}

# The printed page: the PDF with a business's letterhead, IVA and Total that
# tests/e2e/print_dialog_test.sh prints through CUPS; beside it the PDF that
# "PDF" saves, with the same letterhead, in tests/e2e/pdf_mail_test.sh.
page_picture "$E2E_BUILD/cases/print_dialog_test/business_page_with_lpt1.aux/page.pdf" printed_page \
  tests/e2e/print_dialog_test.sh
page_picture "$E2E_BUILD/cases/pdf_mail_test/pdf_and_mail.aux/saved.pdf" pdf_page tests/e2e/pdf_mail_test.sh
