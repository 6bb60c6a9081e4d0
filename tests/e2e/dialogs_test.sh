#!/usr/bin/env bash
# End-to-end: the three quote dialogs on the real program. A new quote typed
# in, saved and printed; the list dialog stepping and printing; the modify
# dialog saving one quote among others, and refusing to replace a quote
# another program changed while it showed it; the unsaved-changes question
# with each of its answers; a new quote beside stored quotes and a damaged
# config.cfg; quotes missing from datos.dat taken back at start-up, or
# asked about; a whole date and a 24-line body stored as typed, a 25th line
# told as left out. Records, settings and printer bytes are compared whole
# with contents built here.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

QUESTION='No se ha guardado el presupuesto actual, \00bfdesea guardarlo?'

# Three stored quotes for the list and modify cases. The first has bytes
# after the end of each text, which no reader may show and an overwrite of
# another record must keep.
field_with_leftovers() {
  local LC_ALL=C
  printf '%s\0' "$1"
  e2e_repeat Z $(($2 - ${#1} - 1))
}
QUOTE1=($'Primera l\xednea\r\nSegunda l\xednea' 'Cliente uno' '1/02/2026' 'Calle A 1' '100,00')
QUOTE2=($'Obra en el 2\xba piso\r\n\r\nCa\xf1er\xeda nueva' $'Mu\xf1oz y C\xaa' '15/03/2026' $'Plaza Espa\xf1a 2\xba' '2.500,00')
QUOTE3=('Tres' 'Cliente tres' '30/11/2026' 'Avda. Sol 3' '33')

record_with_leftovers() {
  field_with_leftovers "$1" 1800
  field_with_leftovers "$2" 40
  field_with_leftovers "$3" 40
  field_with_leftovers "$4" 40
  field_with_leftovers "$5" 40
}

store_three_quotes() {
  {
    record_with_leftovers "${QUOTE1[@]}"
    e2e_record "${QUOTE2[@]}"
    e2e_record "${QUOTE3[@]}"
  } >"$CASE_DIR/datos.dat"
  e2e_settings 3 "$1" >"$CASE_DIR/config.cfg"
  cp "$CASE_DIR/datos.dat" "$CASE_AUX/stored.dat"
}

end_program() {
  e2e_end_program
  e2e_check_equal "\"Salir\" ends the program with exit code 0" 0 "$PROGRAM_RC"
}

# add_named_quote NAME NUMBER BEFORE: a new quote with only NAME typed,
# saved as quote NUMBER after the quotes of file BEFORE, which are unchanged.
add_named_quote() {
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_type "$1"
  {
    cat "$3"
    e2e_record '' "$1" "$(e2e_today)" '' ''
  } >"$CASE_AUX/expected.dat"
  e2e_save_new_quote "$DIALOG" "$2"
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "the new quote is quote $2; those before are unchanged" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
}

new_quote() {
  local today name address body total
  today=$(e2e_today)
  name=$'Pe\xf1a \xd1u\xf1ez 1\xaa y 2\xba'
  address=$'C/ Mayor 1, 3\xba B'
  # A line of 100 bytes prints as a row of 76 and one of 24; the tab prints
  # as a space; ó and the euro sign stay as they are, ª º ñ Ñ are converted.
  body=$'Reparaci\xf3n del tejado, 2\xaa planta:\n- Cambio de 30 tejas y ca\xf1o de bajada\n\n'
  body+='Mano de obra de dos oficiales durante tres jornadas, con andamio y retirada '
  body+='de escombros y limpieza.'$'\n'
  body+=$'Tasa:\t12 \x80\n\xd1: a\xf1adir IVA del 21%'
  total='1.234,56'

  e2e_start_program
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_paste "$name"
  e2e_click "$ADDRESS_FIELD"
  e2e_type 'C/ Mayor 1, 3'
  e2e_paste $'\xba'
  e2e_type ' B'
  e2e_click "$BODY_FIELD"
  e2e_paste "$body"
  e2e_click "$TOTAL_FIELD"
  e2e_type "$total"
  e2e_shot new_quote_typed "$DIALOG"

  # The dialog gives the body's line breaks as CR LF.
  local stored_body=${body//$'\n'/$'\r\n'}
  e2e_record "$stored_body" "$name" "$today" "$address" "$total" >"$CASE_AUX/expected.dat"
  e2e_save_new_quote "$DIALOG" 1
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "\"Guardar\" appends the quote as typed, dated today" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg counts the quote and keeps the launch count" \
    "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  e2e_print_and_check "\"Imprimir\" prints quote 1 as shown" "$NEW_PRINT" \
    1 "$stored_body" "$name" "$today" "$address" "$total"

  e2e_click "$CANCEL_BUTTON"
  e2e_check "\"Cancelar\" after the save closes the dialog" e2e_wait_hidden "$DIALOG"
  end_program
  e2e_check_equal "no question was asked" "Presupuesto 1 guardado." "$(e2e_box_texts)"
  e2e_check_bytes "the quote file still holds the one quote" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check "nothing was overwritten (no trasvase.dat)" test ! -e "$CASE_DIR/trasvase.dat"
}

list_dialog() {
  store_three_quotes 7
  e2e_start_program
  e2e_open_dialog 1 "Listar Presupuesto"
  e2e_shot list_dialog "$DIALOG"

  e2e_click "$NEXT_BUTTON"
  e2e_print_and_check "opens on the newest quote; \">>\" does not pass it" "$LIST_PRINT" \
    3 "${QUOTE3[@]}"

  e2e_click "$PREV_BUTTON"
  e2e_click "$PREV_BUTTON"
  e2e_click "$PREV_BUTTON"
  # The fields are read-only: typing changes nothing that is printed.
  e2e_click "$NAME_FIELD"
  e2e_type 'x'
  e2e_print_and_check "\"<<\" goes back to quote 1 and stops there" "$LIST_PRINT" \
    1 "${QUOTE1[@]}"

  e2e_click "$NEXT_BUTTON"
  e2e_print_and_check "\">>\" goes on to quote 2" "$LIST_PRINT" 2 "${QUOTE2[@]}"

  e2e_click "$CANCEL_BUTTON"
  e2e_check "\"Cancelar\" closes the dialog" e2e_wait_hidden "$DIALOG"
  end_program
  e2e_check_bytes "the quote file is untouched" "$CASE_AUX/stored.dat" "$CASE_DIR/datos.dat"
  e2e_settings 3 8 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg: 3 quotes, launch 8" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
  e2e_check "nothing was overwritten (no trasvase.dat)" test ! -e "$CASE_DIR/trasvase.dat"
}

modify_dialog() {
  local backup
  backup="$CASE_DIR/$(e2e_backup_folder)"
  # This start-up is the fifth: the backup takes the three quotes.
  store_three_quotes 4
  e2e_start_program
  e2e_settings 3 5 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "fifth start-up: backup of the quote file" "$CASE_AUX/stored.dat" "$backup/datos.dat"
  e2e_check_bytes "fifth start-up: backup of config.cfg (3 quotes, launch 5)" \
    "$CASE_AUX/expected.cfg" "$backup/config.cfg"

  e2e_open_dialog 2 "Modificar Presupuesto"
  # An edit is dropped by moving away and back; "Guardar" then writes the
  # texts on show, which are quote 3 as stored.
  e2e_click "$ADDRESS_FIELD"
  e2e_type ' (cambiada)'
  e2e_click "$PREV_BUTTON"
  e2e_click "$NEXT_BUTTON"
  e2e_click "$MODIFY_SAVE"
  e2e_wait_until "$E2E_TIMEOUT" test -e "$CASE_DIR/trasvase.dat" || true
  e2e_wait_for_bytes "$CASE_AUX/stored.dat" "$CASE_DIR/trasvase.dat"
  e2e_check_bytes "an edit left by \"<<\" \">>\" is dropped; quote 3 is saved as stored" \
    "$CASE_AUX/stored.dat" "$CASE_DIR/datos.dat"

  e2e_click "$PREV_BUTTON"
  e2e_replace_field "$NAME_FIELD" 'Hermanos '
  e2e_paste $'Mu\xf1oz'
  e2e_replace_field "$TOTAL_FIELD" '2.750,00'
  e2e_shot modify_dialog "$DIALOG"
  e2e_click "$MODIFY_SAVE"
  {
    record_with_leftovers "${QUOTE1[@]}"
    e2e_record "${QUOTE2[0]}" $'Hermanos Mu\xf1oz' "${QUOTE2[2]}" "${QUOTE2[3]}" '2.750,00'
    e2e_record "${QUOTE3[@]}"
  } >"$CASE_AUX/expected.dat"
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "\"Guardar\" rewrites quote 2 only" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "trasvase.dat equals the new quote file" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/trasvase.dat"
  e2e_check_bytes "config.cfg keeps 3 quotes" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  e2e_click "$CANCEL_BUTTON"
  e2e_check "\"Cancelar\" closes the dialog at once" e2e_wait_hidden "$DIALOG"
  end_program
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
  e2e_check_equal "the working folder holds the data files, the lock file and the backup" \
    "$(printf '%s\n' "$(e2e_backup_folder)" config.cfg datos.dat fondo.bmp presupuestos.lck \
      trasvase.dat | sort)" \
    "$(ls -A "$CASE_DIR" | sort)"
}

# wait_question: waits for the unsaved-changes question; sets BOX.
wait_question() {
  BOX=$(e2e_wait_window "Modificado" "$PROGRAM_PID")
}

unsaved_question() {
  local today
  today=$(e2e_today)
  e2e_start_program

  # "Imprimir" stores a new quote first, under the number it prints.
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_type 'Impreso'
  e2e_print_and_check "a new quote prints under number 1" "$NEW_PRINT" \
    1 '' 'Impreso' "$today" '' ''
  e2e_record '' 'Impreso' "$today" '' '' >"$CASE_AUX/expected.dat"
  e2e_check_bytes "and is stored as quote 1" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_check "\"Cancelar\" then closes it asking nothing" e2e_wait_hidden "$DIALOG"

  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_type 'Sin guardar'
  e2e_click "$CANCEL_BUTTON"
  wait_question
  e2e_shot unsaved_question
  e2e_key "$BOX" Escape
  e2e_wait_hidden "$BOX"
  e2e_check "answer Cancel: the dialog stays open" e2e_window_shown "$DIALOG"
  e2e_check_bytes "answer Cancel: nothing stored" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"

  e2e_click "$CANCEL_BUTTON"
  wait_question
  e2e_key "$BOX" n
  e2e_check "answer No: the dialog closes" e2e_wait_hidden "$DIALOG"
  e2e_check_bytes "answer No: nothing stored" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_settings 1 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "answer No: config.cfg unchanged" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_type 'Guardado al salir'
  e2e_click "$TOTAL_FIELD"
  e2e_type '5'
  e2e_click "$CANCEL_BUTTON"
  wait_question
  e2e_key "$BOX" Return
  e2e_check "answer Yes: the dialog closes" e2e_wait_hidden "$DIALOG"
  e2e_record '' 'Guardado al salir' "$today" '' '5' >>"$CASE_AUX/expected.dat"
  e2e_check_bytes "answer Yes: the quote is stored as quote 2" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_settings 2 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "answer Yes: config.cfg counts it" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  end_program
  e2e_check_equal "the question was asked three times, in these words" \
    "$(printf '%s\n' "$QUESTION" "$QUESTION" "$QUESTION")" "$(e2e_box_texts)"
}

# number_label_reach SHOT: how far right the ink of the dialog's number label
# (x 8 to 98, y 5 to 13 in dialog units) reaches, in tenths of a character of
# the dialog's monospaced font, which is 4 dialog units wide. The label's
# text is not visible to X, so it is measured on a picture of the dialog.
number_label_reach() {
  local picture="$E2E_BUILD/shots/$1.png" box w h x
  e2e_shot "$1" "$DIALOG"
  e2e_geometry "$DIALOG"
  # Ink is what is darker than mid grey; the white border gives the trim a
  # background to compare against.
  box=$(convert "$picture" -crop "$((90 * GEOMETRY_WIDTH / DIALOG_UNITS_WIDE))x$((8 * GEOMETRY_HEIGHT / DIALOG_UNITS_HIGH))+$((8 * GEOMETRY_WIDTH / DIALOG_UNITS_WIDE))+$((5 * GEOMETRY_HEIGHT / DIALOG_UNITS_HIGH))" \
    +repage -colorspace gray -threshold 50% -bordercolor white -border 1 -format '%@' info:)
  IFS='x+' read -r w h x _ <<<"$box"
  echo $(((x + w - 1) * DIALOG_UNITS_WIDE * 10 / (4 * GEOMETRY_WIDTH)))
}

# With 1 234 quotes stored, each dialog shows its whole number on one line:
# "Presupuesto N\xba: 1235" and "... 1234" are 20 characters, more than the
# label held before it was widened.
long_numbers() {
  local index reach
  local titles=("Nuevo Presupuesto" "Listar Presupuesto" "Modificar Presupuesto")
  e2e_records 1234 'Uno' 'Cliente' '1/01/2026' 'Calle' '1' >"$CASE_DIR/datos.dat"
  e2e_settings 1234 1 >"$CASE_DIR/config.cfg"
  e2e_start_program
  for index in 0 1 2; do
    e2e_open_dialog "$index" "${titles[index]}"
    reach=$(number_label_reach "long_number_$index")
    e2e_check "\"${titles[index]}\": the number label reaches the 20th character ($reach tenths)" \
      test "$reach" -gt 190 -a "$reach" -le 205
    e2e_key "$DIALOG" Escape
    e2e_wait_hidden "$DIALOG"
  done
  end_program
}

# A config.cfg of 0 bytes (a damaged one) beside three stored quotes: start-up
# counts them, and the next new quote is quote 4 after them.
damaged_count() {
  local today
  today=$(e2e_today)
  store_three_quotes 0
  : >"$CASE_DIR/config.cfg"
  e2e_start_program
  e2e_settings 3 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "start-up counts the three stored quotes" \
    "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  add_named_quote Cuarto 4 "$CASE_AUX/stored.dat"
  e2e_settings 4 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg counts 4 quotes" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
  e2e_print_and_check "it prints under number 4" "$NEW_PRINT" 4 '' 'Cuarto' "$today" '' ''

  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  end_program
  e2e_check_equal "no message box but the save's" "Presupuesto 4 guardado." "$(e2e_box_texts)"
}

# datos.dat brought back alone from an older backup: 3 quotes beside a
# config.cfg counting 5 and a trasvase.dat holding all 5. Start-up takes
# back 4 and 5 and says so before the main window; the next new quote is 6.
recovered_quotes() {
  store_three_quotes 0
  {
    cat "$CASE_AUX/stored.dat"
    e2e_record 'Cuatro' 'Cliente cuatro' '1/12/2026' 'Calle 4' '4'
    e2e_record 'Cinco' 'Cliente cinco' '2/12/2026' 'Calle 5' '5'
  } >"$CASE_AUX/trasvase.dat"
  cp "$CASE_AUX/trasvase.dat" "$CASE_DIR/trasvase.dat"
  e2e_settings 5 0 >"$CASE_DIR/config.cfg"
  e2e_launch
  e2e_wait_box
  e2e_shot recovered_quotes_box
  e2e_check_equal "start-up says what came back, before the main window" \
    'Los presupuestos 4 y 5 se han recuperado de trasvase.dat.' "$(e2e_box_texts)"
  e2e_check "no main window yet" test -z "$(e2e_find_window "$MAIN_TITLE" "$PROGRAM_PID")"
  e2e_key "$BOX" Return
  MAIN=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  e2e_check_bytes "quotes 1 to 5 are byte for byte those of trasvase.dat" \
    "$CASE_AUX/trasvase.dat" "$CASE_DIR/datos.dat"

  add_named_quote Sexto 6 "$CASE_AUX/trasvase.dat"
  e2e_settings 6 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg counts 6 quotes" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  end_program
}

# A damaged count (0x41414141) beside 3 quotes, and nothing to take back:
# the user is asked, and "S\xed" numbers new quotes after quote 3.
damaged_count_asked() {
  store_three_quotes 0
  e2e_settings 0x41414141 0 >"$CASE_DIR/config.cfg"
  e2e_launch
  e2e_wait_box
  e2e_shot damaged_count_question
  e2e_check "the question names the missing numbers" \
    grep -q 'Los n\\00fameros 4 a 1094795585 se dar\\00e1n otra vez' <<<"$(e2e_box_texts)"
  e2e_key "$BOX" s
  MAIN=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  e2e_settings 3 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "\"S\\xed\": config.cfg counts the 3 stored quotes" \
    "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"

  e2e_open_dialog 1 "Listar Presupuesto"
  e2e_print_and_check "the list dialog opens on quote 3" "$LIST_PRINT" 3 "${QUOTE3[@]}"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"

  add_named_quote Cuarto 4 "$CASE_AUX/stored.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  end_program
  e2e_check_equal "two boxes only, the question and the save's" 2 "$(e2e_box_texts | wc -l)"
}

# Another program (a second copy past the lock) corrects quote 3 while the
# modify dialog shows it: "Guardar" refuses, and the disk keeps the other
# correction.
changed_behind() {
  store_three_quotes 1
  e2e_start_program
  e2e_open_dialog 2 "Modificar Presupuesto"
  e2e_replace_field "$TOTAL_FIELD" '999'
  {
    head -c $((2 * 1960)) "$CASE_AUX/stored.dat"
    e2e_record 'Tres' 'Corregido por otro' '30/11/2026' 'Avda. Sol 3' '33'
  } >"$CASE_AUX/other.dat"
  cp "$CASE_AUX/other.dat" "$CASE_DIR/datos.dat"
  e2e_click "$MODIFY_SAVE"
  e2e_wait_box
  e2e_check "\"Guardar\" refuses: the quote changed since it was shown" \
    grep -q 'El presupuesto ha cambiado en datos.dat desde que se mostr\\00f3' <<<"$(e2e_box_texts)"
  e2e_key "$BOX" Return
  e2e_wait_hidden "$BOX"
  e2e_check_bytes "the disk keeps the other program's version" \
    "$CASE_AUX/other.dat" "$CASE_DIR/datos.dat"
  e2e_check "nothing was overwritten (no trasvase.dat)" test ! -e "$CASE_DIR/trasvase.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"
  end_program
}

# What is typed is stored whole. Beside quotes 1 and 2, a new quote 3 dated
# 20/11/2025 with 24 lines pasted in its body: stored, and printed down to
# the body box's last row; a 25th line pasted is told as left out. Quote 2's
# date typed in "Modificar Presupuesto" is stored whole too, and "Buscar"
# finds those two quotes, not quote 1, by the year.
typed_whole() {
  local body25 stored exported
  body25=$(for i in {1..25}; do echo "Linea $i"; done)
  stored=${body25%$'\n'*}
  stored=${stored//$'\n'/$'\r\n'}
  e2e_records 2 'Uno' 'Cliente uno' '1/02/2026' 'Calle 1' '1' >"$CASE_DIR/datos.dat"
  e2e_settings 2 1 >"$CASE_DIR/config.cfg"
  e2e_start_program
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_replace_field "$DATE_FIELD" '20/11/2025'
  e2e_replace_field "$NAME_FIELD" 'Tres'
  e2e_click "$BODY_FIELD"
  e2e_paste "${body25%$'\n'*}"
  e2e_shot typed_whole "$DIALOG"
  e2e_save_new_quote "$DIALOG" 3
  e2e_print_and_check "the 24 pasted lines are printed" "$NEW_PRINT" 3 "$stored" 'Tres' '20/11/2025' '' ''

  e2e_click "$BODY_FIELD"
  e2e_select_all_in_body
  e2e_paste "$body25"
  e2e_wait_box
  e2e_check_equal "a 25th pasted line is told as left out" \
    'El texto pegado no cabe entero: el texto del presupuesto lleva como mucho 24 l\00edneas, las de la hoja impresa, y 1799 caracteres. Se ha pegado lo que cabe y el resto se ha dejado fuera.' \
    "$(e2e_box_texts | tail -n 1)"
  e2e_key "$BOX" Return
  e2e_wait_hidden "$BOX"
  e2e_save_new_quote "$DIALOG" 3
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"

  e2e_open_dialog 2 "Modificar Presupuesto"
  e2e_click "$PREV_BUTTON"
  e2e_replace_field "$DATE_FIELD" '20/11/2025'
  e2e_click "$MODIFY_SAVE"
  {
    e2e_record 'Uno' 'Cliente uno' '1/02/2026' 'Calle 1' '1'
    e2e_record 'Uno' 'Cliente uno' '20/11/2025' 'Calle 1' '1'
    e2e_record "$stored" 'Tres' '20/11/2025' '' ''
  } >"$CASE_AUX/expected.dat"
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "20/11/2025 typed in both dialogs and the 24 lines are stored whole" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_click "$CANCEL_BUTTON"
  e2e_wait_hidden "$DIALOG"

  e2e_click_main_button "$MAIN" 5
  SEARCH=$(e2e_wait_window "Buscar Presupuesto" "$PROGRAM_PID")
  DIALOG_UNITS_WIDE=400 e2e_click_control "$SEARCH" 40 6 210 12
  e2e_type '2025'
  sleep 0.5
  e2e_search_export "$SEARCH" "Z:${CASE_AUX//\//\\}\\2025.csv"
  exported=$(e2e_box_texts | tail -n 1)
  e2e_check_equal "\"2025\" finds the two quotes of that year" "Se han exportado 2 presupuestos a " \
    "${exported%%[A-Z]:*}"
  e2e_key "$SEARCH" Escape
  e2e_wait_hidden "$SEARCH"
  end_program
}

e2e_begin
e2e_run_case new_quote new_quote
e2e_run_case list_dialog list_dialog
e2e_run_case modify_dialog modify_dialog
e2e_run_case unsaved_question unsaved_question
e2e_run_case long_numbers long_numbers
e2e_run_case damaged_count damaged_count
e2e_run_case recovered_quotes recovered_quotes
e2e_run_case damaged_count_asked damaged_count_asked
e2e_run_case changed_behind changed_behind
e2e_run_case typed_whole typed_whole
e2e_end
