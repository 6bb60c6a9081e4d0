#!/usr/bin/env bash
# End-to-end: "Buscar Presupuesto" over 3 000 generated quotes. Typing "peña"
# lists exactly the quotes that hold it in any case and with or without its
# accent (checked on the file "Exportar…" writes); "Ver" opens the list
# dialog on the chosen quote, and Ctrl+B there moves it to another; "Copiar
# a nuevo" and "Guardar" store a copy dated today. /exportar writes every
# stored quote beside a running copy, read back by Python's csv module, and
# refuses to write over datos.dat.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/print_expect.sh"

QUOTES="python3 $(dirname "$0")/search_quotes.py"

# The search dialog's controls in dialog units, as in the resource script
# (it is 400 units wide; the quote dialogs' are in lib.sh).
SEARCH_FIELD="40 6 210 12"
VIEW_BUTTON="8 230 45 14"
COPY_BUTTON="117 230 65 14"

# click WINDOW UNITS_WIDE CONTROL
click() {
  local DIALOG_UNITS_WIDE=$2
  e2e_click_control "$1" $3
}

# field N INDEX: a stored field of quote N (0 body, 1 name, 2 date,
# 3 address, 4 total), as Windows-1252 bytes.
field() { $QUOTES field "$CASE_DIR" "$1" "$2"; }

# print_shows NUMBER: "Imprimir" in the list dialog LIST prints quote NUMBER
# as stored.
print_shows() {
  e2e_expected_job "$1" "$(field "$1" 0)" "$(field "$1" 1)" "$(field "$1" 2)" "$(field "$1" 3)" \
    "$(field "$1" 4)" >"$CASE_AUX/expected.prn"
  : >"$CASE_AUX/lpt1.out"
  click "$LIST" 325 "$LIST_PRINT"
  e2e_wait_for_bytes "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
  cmp -s "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
}

# The search dialog opened over the list dialog, beside the first.
second_search() {
  e2e_find_window "Buscar Presupuesto" "$PROGRAM_PID" | grep -vx "$SEARCH" | head -n 1 | grep .
}

search_view_copy() {
  local today newest exported
  today=$(e2e_today)
  $QUOTES make "$CASE_DIR" 3000 3000
  cp "$CASE_DIR/datos.dat" "$CASE_AUX/stored.dat"
  e2e_start_program
  e2e_click_main_button "$MAIN" 5
  SEARCH=$(e2e_wait_window "Buscar Presupuesto" "$PROGRAM_PID")

  # "Exportar…" with nothing typed: every quote, to a file in another
  # folder, its path typed over the name the Save As dialog offers.
  e2e_search_export "$SEARCH" "Z:${CASE_AUX//\//\\}\\todos.csv"
  e2e_check "with nothing typed, \"Exportar…\" writes every quote" \
    $QUOTES check-csv "$CASE_AUX/todos.csv" "$CASE_DIR"
  exported=$(e2e_box_texts | tail -n 1)
  e2e_check_equal "the count of 3 000 is told with its thousands dot" \
    "Se han exportado 3.000 presupuestos a " "${exported%%[A-Z]:*}"

  click "$SEARCH" 400 "$SEARCH_FIELD"
  e2e_paste $'pe\xf1a'
  sleep 0.5
  e2e_shot search_pena "$SEARCH"
  # What is listed, through "Exportar…" once more: the dialog now starts in
  # the other folder, and moves the process there while it is open; the
  # export must still read the working folder's quotes.
  e2e_search_export "$SEARCH" ""
  mapfile -t matching < <($QUOTES matching "$CASE_DIR" $'pe\xc3\xb1a')
  exported=$(e2e_box_texts | tail -n 1)
  e2e_check "\"peña\" lists the ${#matching[@]} quotes holding Peña, PEÑA or pena" \
    $QUOTES check-csv "$CASE_AUX/presupuestos.csv" "$CASE_DIR" "${matching[@]}"
  e2e_check_equal "the export tells how many it wrote" \
    "Se han exportado ${#matching[@]} presupuestos a " "${exported%%[A-Z]:*}"

  # The newest match is chosen; "Ver" opens the list dialog on it.
  newest=${matching[-1]}
  click "$SEARCH" 400 "$VIEW_BUTTON"
  LIST=$(e2e_wait_window "Listar Presupuesto" "$PROGRAM_PID")
  e2e_check "\"Ver\" opens the list dialog on quote $newest" print_shows "$newest"
  # Ctrl+B: the search again, and Enter moves the list dialog to the quote.
  e2e_key "$LIST" ctrl+b
  e2e_wait_until "$E2E_TIMEOUT" second_search >/dev/null
  CHOOSE=$(second_search)
  click "$CHOOSE" 400 "$SEARCH_FIELD"
  e2e_type 'zarzuela'
  e2e_key "$CHOOSE" Return
  e2e_wait_hidden "$CHOOSE"
  e2e_check "Ctrl+B and Enter move the list dialog to quote 1234" print_shows 1234
  click "$LIST" 325 "$CANCEL_BUTTON"
  e2e_wait_hidden "$LIST"

  # "Copiar a nuevo" on the same row, then "Guardar": quote 3001.
  click "$SEARCH" 400 "$COPY_BUTTON"
  NEW=$(e2e_wait_window "Nuevo Presupuesto" "$PROGRAM_PID")
  {
    cat "$CASE_AUX/stored.dat"
    e2e_record "$(field "$newest" 0)" "$(field "$newest" 1)" "$today" "$(field "$newest" 3)" \
      "$(field "$newest" 4)"
  } >"$CASE_AUX/expected.dat"
  e2e_save_new_quote "$NEW" 3001
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "\"Copiar a nuevo\" and \"Guardar\" store quote $newest's texts as quote 3001, dated today" \
    "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  click "$NEW" 325 "$CANCEL_BUTTON"
  e2e_check "\"Cancelar\" after the save closes the dialog" e2e_wait_hidden "$NEW"
  e2e_key "$SEARCH" Escape
  e2e_wait_hidden "$SEARCH"
  e2e_end_program
  e2e_check_equal "no message box but the two exports' and the save's" 3 "$(e2e_box_texts | wc -l)"
}

export_command() {
  local rc question
  # 3 000 quotes stored, 3 002 counted: two cannot be read, and the copy
  # started first asks about them before its window opens.
  $QUOTES make "$CASE_DIR" 3002 3000
  e2e_launch
  question=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  rc=0
  (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /exportar todos.csv) \
    >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" || rc=$?
  e2e_check_equal "/exportar beside a running copy ends with exit code 0" 0 "$rc"
  e2e_check "the file holds every stored quote as stored, read by Python's csv module" \
    $QUOTES check-csv "$CASE_DIR/todos.csv" "$CASE_DIR"
  rc=0
  (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /exportar falta/todos.csv) \
    >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" || rc=$?
  e2e_check_equal "/exportar into a folder that is not there ends with exit code 1" 1 "$rc"
  # The program's own files, by a bare name, by a full path in other
  # letters, through a second drive letter for the folder and through a
  # link to it (a temporary not there yet through its folder): refused
  # before anything is written.
  cp "$CASE_DIR/datos.dat" "$CASE_AUX/before.dat"
  ln -sfn "$CASE_DIR" "$WINEPREFIX/dosdevices/y:"
  ln -sfn "$CASE_DIR" "$CASE_AUX/enlace"
  for target in datos.dat "Z:${CASE_DIR//\//\\}\\DATOS.DAT" 'Y:\datos.dat' 'Y:\config.cfg.tmp' \
    "Z:${CASE_AUX//\//\\}\\enlace\\datos.dat"; do
    rc=0
    (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /exportar "$target") \
      >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" || rc=$?
    e2e_check_equal "/exportar ${target##*\\} (its path as given) is refused with exit code 1" 1 "$rc"
  done
  e2e_check_bytes "datos.dat is left byte for byte as it was" "$CASE_AUX/before.dat" "$CASE_DIR/datos.dat"
  e2e_check "no datos.dat.tmp is left beside it" test ! -e "$CASE_DIR/datos.dat.tmp"
  e2e_check "no config.cfg.tmp was written" test ! -e "$CASE_DIR/config.cfg.tmp"
  rc=0
  (cd "$CASE_DIR" && exec wine "$PRESUPUESTOS_EXE" /exportar 'Y:\otra.csv') \
    >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" || rc=$?
  e2e_check_equal "another name through the second drive letter is written (exit code 0)" 0 "$rc"
  e2e_check "and lands in the folder" test -s "$CASE_DIR/otra.csv"
  rm -f "$WINEPREFIX/dosdevices/y:" "$CASE_AUX/enlace"
  e2e_key "$question" n
  MAIN=$(e2e_wait_main)
  e2e_end_program
  e2e_check_equal "the running copy was not disturbed: its one question, and no other box" \
    1 "$(e2e_box_texts | wc -l)"
}

e2e_begin
e2e_run_case search_view_copy search_view_copy
e2e_run_case export_command export_command
e2e_end
