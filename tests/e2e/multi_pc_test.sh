#!/usr/bin/env bash
# End-to-end: two copies on one working folder of 20 000 quotes, as on two
# PCs A and B (see "several PCs" in lib.sh), through one run of both: new
# quotes stored from both in turn, each number given once and the later of
# two open dialogs told that the other PC took the number it showed; one
# quote corrected from both, the later correction refused; A killed in the
# middle of a correction, B storing on, and A's next start leaving every
# record as written; a save while another PC holds the lock, refused once
# its wait is over.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# open_new NAME: "Nuevo Presupuesto" with NAME typed in, once the last
# dialog has gone.
open_new() {
  [[ -z "${DIALOG:-}" ]] || e2e_wait_hidden "$DIALOG"
  e2e_open_dialog 0 "Nuevo Presupuesto"
  e2e_click "$NAME_FIELD"
  e2e_type "$1"
}

# expect_new NAME: the quote NAME, stored today, next in expected.dat.
expect_new() { e2e_record '' "$1" "$(e2e_today)" '' '' >>"$CASE_AUX/expected.dat"; }

check_disk() {
  e2e_check_bytes "$1" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_equal "config.cfg counts $2 quotes" "$(e2e_word "$2" | od -An -tx1)" \
    "$(head -c 4 "$CASE_DIR/config.cfg" | od -An -tx1)"
}

two_pcs() {
  local round number taken deadline holder waited held
  e2e_records 20000 'Obra' 'Cliente' '1/02/2026' 'Calle 1' '100' >"$CASE_DIR/datos.dat"
  e2e_settings 20000 1 >"$CASE_DIR/config.cfg"
  cp "$CASE_DIR/datos.dat" "$CASE_AUX/expected.dat"
  e2e_pc B
  e2e_start_program
  e2e_pc A
  e2e_start_program

  # Twenty rounds, A storing before B in each. In the odd rounds B's dialog
  # opens before A stores, so the number it shows is taken by the time B
  # stores. Each PC's boxes and dialogs go away while the other goes on.
  for round in $(seq -w 1 20); do
    number=$((20000 + 2 * 10#$round))
    taken=""
    open_new "A $round"
    if ((10#$round % 2)); then
      e2e_pc B
      open_new "B $round"
      taken="Se ha guardado como presupuesto $number: el $((number - 1)) lo acaba de guardar otro equipo."
      e2e_pc A
    fi
    e2e_press_save_new "$DIALOG" $((number - 1))
    e2e_pc B
    ((10#$round % 2)) || open_new "B $round"
    e2e_press_save_new "$DIALOG" "$number" "$taken"
    for pc in B A; do
      e2e_pc $pc
      e2e_wait_hidden "$BOX"
      e2e_click "$CANCEL_BUTTON"
    done
    expect_new "A $round"
    expect_new "B $round"
  done
  check_disk "datos.dat holds the 20 000 quotes, then A's and B's by turns, each once" 20040

  # Both correct quote 20040, B's last; A reaches it with ">>" past the last
  # one it knew. A stores a new total, then B another: B is refused, and the
  # disk keeps A's.
  e2e_wait_hidden "$DIALOG"
  e2e_open_dialog 2 "Modificar Presupuesto"
  e2e_click "$NEXT_BUTTON"
  e2e_pc B
  e2e_wait_hidden "$DIALOG"
  e2e_open_dialog 2 "Modificar Presupuesto"
  e2e_pc A
  e2e_replace_field "$TOTAL_FIELD" '111'
  e2e_click "$MODIFY_SAVE"
  head -c $((20039 * 1960)) "$CASE_AUX/expected.dat" >"$CASE_AUX/corrected.dat"
  e2e_record '' 'B 20' "$(e2e_today)" '' '111' >>"$CASE_AUX/corrected.dat"
  mv "$CASE_AUX/corrected.dat" "$CASE_AUX/expected.dat"
  e2e_wait_for_bytes "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_check_bytes "A's correction is stored" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_pc B
  e2e_replace_field "$TOTAL_FIELD" '222'
  e2e_click "$MODIFY_SAVE"
  e2e_wait_box
  e2e_check "B's is refused: the quote changed since B showed it" \
    grep -q 'El presupuesto ha cambiado en datos.dat desde que se mostr\\00f3' <<<"$(e2e_box_texts)"
  e2e_check_bytes "the disk keeps A's correction" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_key "$BOX" Return
  e2e_wait_hidden "$BOX"
  e2e_click "$CANCEL_BUTTON"

  # A is killed while its next correction writes datos.dat.tmp (a fifth of
  # a second over 20 000 quotes: a busy wait sees it write).
  e2e_pc A
  e2e_replace_field "$TOTAL_FIELD" 'cortado'
  deadline=$((SECONDS + E2E_TIMEOUT))
  (
    until [[ -s "$CASE_DIR/datos.dat.tmp" ]] || ((SECONDS > deadline)); do :; done
    kill -9 "$PROGRAM_PID"
  ) &
  # Quiet: bash would tell of the killed job.
  {
    e2e_click "$MODIFY_SAVE"
    wait $!
    e2e_wait_exit
  } 2>/dev/null
  e2e_check "A was killed in the middle of its save (datos.dat.tmp begun, datos.dat as before)" \
    test -e "$CASE_DIR/datos.dat.tmp" -a "$(cksum <"$CASE_DIR/datos.dat")" == "$(cksum <"$CASE_AUX/expected.dat")"
  e2e_pc B
  open_new 'Tras el corte'
  e2e_save_new_quote "$DIALOG" 20041
  expect_new 'Tras el corte'
  e2e_pc A
  e2e_start_program
  e2e_check_equal "A's start leaves no temporary file" "" "$(find "$CASE_DIR" -name '*.tmp')"
  check_disk "datos.dat holds every quote and correction as written" 20041

  # Another PC holds the lock for 10 s (as the file server holds a PC's
  # lock: on byte 0 of presupuestos.lck). "Guardar" on A waits, then says
  # that another PC is saving and stores nothing; once the lock is free
  # the quote is stored.
  (cd "$CASE_DIR" && exec python3 -c 'import fcntl, time
with open("presupuestos.lck", "a") as lock:
    fcntl.lockf(lock, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0); print("held", flush=True); time.sleep(10)') \
    >"$CASE_AUX/hold.out" 2>&1 &
  holder=$!
  echo "$holder" >>"$CASE_AUX/pids"
  e2e_wait_until "$E2E_TIMEOUT" grep -q held "$CASE_AUX/hold.out"
  open_new 'Esperando'
  waited=$SECONDS
  e2e_click "$NEW_SAVE"
  e2e_wait_box
  waited=$((SECONDS - waited))
  held=no
  kill -0 "$holder" 2>/dev/null && held=yes
  e2e_check "the box comes after about 5 s of waiting, while the other PC holds the lock ($waited s, $held)" \
    test "$waited" -ge 4 -a "$held" == yes
  e2e_check "it says the quote is not saved: another PC is saving" grep -q \
    'guardar el presupuesto.\\nOtro equipo lleva m\\00e1s de 5 segundos' <<<"$(e2e_box_texts | tail -n 1)"
  e2e_check_bytes "datos.dat is unchanged" "$CASE_AUX/expected.dat" "$CASE_DIR/datos.dat"
  e2e_key "$BOX" Return
  e2e_wait_hidden "$BOX"
  e2e_check "the other PC held the lock for its 10 s" wait "$holder"
  e2e_save_new_quote "$DIALOG" 20042
}

e2e_begin
e2e_add_pc B
e2e_run_case two_pcs two_pcs
e2e_end
