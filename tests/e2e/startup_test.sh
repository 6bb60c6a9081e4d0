#!/usr/bin/env bash
# End-to-end: start-up, launch counter and dated backup (also over a
# copia.tmp/ left with a foreign file in it), the main window and its
# buttons, also on a screen of 144 dpi (150 %), the two ways to end the
# program, and the refusal of a second copy in the same working folder
# reached through another path, which brings the running copy forward.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# Presses one of the dialog buttons of the main window and closes the dialog
# that opens with Esc.
check_button_opens() {
  local window=$1 index=$2 title=$3 dialog
  e2e_click_main_button "$window" "$index"
  if dialog=$(e2e_wait_window "$title" "$PROGRAM_PID"); then
    e2e_pass "button $index opens \"$title\""
    e2e_key "$dialog" Escape
    e2e_check "Esc closes \"$title\"" e2e_wait_hidden "$dialog"
  else
    e2e_fail "button $index opens \"$title\""
  fi
}

five_launches() {
  local launch window
  for launch in 1 2 3 4 5; do
    e2e_launch
    window=$(e2e_wait_main)
    if ((launch == 1)); then
      e2e_shot main_window "$window"
      check_button_opens "$window" 0 "Nuevo Presupuesto"
      check_button_opens "$window" 1 "Listar Presupuesto"
      check_button_opens "$window" 2 "Modificar Presupuesto"
    fi
    e2e_click_main_button "$window" 3
    e2e_wait_exit
    e2e_check_equal "launch $launch: \"Salir\" ends with exit code 0" 0 "$PROGRAM_RC"
    e2e_settings 0 "$launch" >"$CASE_AUX/expected.cfg"
    e2e_check_bytes "launch $launch: config.cfg holds 0 and $launch" \
      "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
    if ((launch < 5)); then
      e2e_check "launch $launch: no backup folder yet" \
        test -z "$(find "$CASE_DIR" -mindepth 1 -type d)"
    fi
  done

  local folder="$CASE_DIR/$(e2e_backup_folder)"
  e2e_check "fifth launch: backup folder $(e2e_backup_folder)" test -d "$folder"
  e2e_check_bytes "fifth launch: backup holds config.cfg with 0 and 5" \
    "$CASE_AUX/expected.cfg" "$folder/config.cfg"
  e2e_check "fifth launch: no quote file anywhere (none was ever stored)" \
    test -z "$(find "$CASE_DIR" -name datos.dat)"
  e2e_check_equal "the working folder holds the settings, the picture, the lock file and the backup" \
    "$(printf '%s\n' "$(e2e_backup_folder)" config.cfg fondo.bmp presupuestos.lck | sort)" \
    "$(ls -A "$CASE_DIR" | sort)"
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
}

# A copia.tmp/ left by a backup cut short, holding a file of another program
# (a Thumbs.db): the fifth launch makes the dated backup all the same.
leftover_work_folder() {
  local window folder="$CASE_DIR/$(e2e_backup_folder)"
  mkdir "$CASE_DIR/copia.tmp"
  echo x >"$CASE_DIR/copia.tmp/Thumbs.db"
  e2e_settings 0 4 >"$CASE_DIR/config.cfg"
  e2e_launch
  window=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  e2e_click_main_button "$window" 3
  e2e_wait_exit
  e2e_settings 0 5 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "fifth launch: backup of config.cfg made" "$CASE_AUX/expected.cfg" "$folder/config.cfg"
  e2e_check "copia.tmp/ took the dated name" test ! -e "$CASE_DIR/copia.tmp"
  e2e_check_equal "no message box was shown" "" "$(e2e_box_texts)"
}

# A folder named config.cfg: told by name before the main window, which
# then opens with no other box; the folder is left as it is.
folder_in_place() {
  mkdir "$CASE_DIR/config.cfg"
  e2e_launch
  e2e_wait_box
  e2e_shot folder_in_place_box
  e2e_check "the box names the folder" \
    grep -q 'hay una carpeta llamada config.cfg, donde el programa guarda la cuenta' <<<"$(e2e_box_texts)"
  e2e_key "$BOX" Return
  MAIN=$(e2e_wait_window "$MAIN_TITLE" "$PROGRAM_PID")
  e2e_end_program
  e2e_check_equal "one box, and no other" 1 "$(e2e_box_texts | wc -l)"
  e2e_check "config.cfg is still the folder" test -d "$CASE_DIR/config.cfg"
}

close_box() {
  local window
  e2e_launch
  window=$(e2e_wait_main)
  e2e_key "$window" alt+F4
  e2e_wait_exit
  e2e_check_equal "closing the main window ends with exit code 0" 0 "$PROGRAM_RC"
  e2e_settings 0 1 >"$CASE_AUX/expected.cfg"
  e2e_check_bytes "config.cfg holds 0 and 1" "$CASE_AUX/expected.cfg" "$CASE_DIR/config.cfg"
}

# The working folder's entries, with a checksum of each file.
folder_state() { (cd "$CASE_DIR" && find . | sort | while read -r entry; do
  if [[ -f $entry ]]; then echo "$entry $(cksum <"$entry")"; else echo "$entry"; fi
done); }

# start_through DRIVE_FOLDER: starts the program from another folder with
# "wine start", its working folder given by a Windows path; PROGRAM_PID is
# that of "wine start", which waits for the program and ends with its code.
start_through() {
  local exe="Z:${PRESUPUESTOS_EXE//\//\\}"
  (cd "$CASE_AUX" && WINEDEBUG=-all,+msgbox exec wine start /wait /d "$1" "$exe") \
    >>"$CASE_AUX/wine.out" 2>>"$CASE_AUX/wine.log" &
  PROGRAM_PID=$!
  echo "$PROGRAM_PID" >>"$CASE_AUX/pids"
}

# wait_other_window TITLE ID...: prints the id of a shown window with that
# title other than the IDs (another copy's main window, the second copy's
# box) once there is one.
other_window() {
  local title=$1 window
  shift
  e2e_find_window "$title" | while read -r window; do
    [[ " $* " == *" $window "* ]] || echo "$window"
  done | grep .
}
wait_other_window() {
  e2e_wait_until "$E2E_TIMEOUT" other_window "$@" >/dev/null
  sleep 0.2
  other_window "$@" | head -n 1
}

# above ID OTHER: the X window ID lies above OTHER (xwininfo lists the
# screen's windows from the top down).
above() {
  local order
  order=$(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p')
  local first second
  first=$(grep -nx "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1)
  second=$(grep -nx "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1)
  [[ -n "$first" && -n "$second" ]] && ((first < second))
}

# screen_dpi DPI: the dots per inch that programs started from now on see
# (Wine reads the user's setting at each start); "default" removes it.
screen_dpi() {
  if [[ $1 == default ]]; then
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  fi
}

# Colours at points of the picture away from the buttons (the band, the
# panel, its frame, the lower shading), in the picture as it is and at those
# points scaled by 1.5 in a screenshot of the window.
colours_at() {
  convert "$1" -format "$(printf '%%[pixel:p{%d,%d}] ' $2)" info:
}
PICTURE_POINTS='20 10 320 135 220 300 600 400'
SCALED_POINTS='30 15 480 202 330 450 900 600'

# At 150 %, the window, the picture and the buttons' places are those of
# 100 % times 1.5, and the buttons are where the picture has room for them.
high_dpi_screen() {
  local window tops=(225 300 375 488)
  screen_dpi 144
  e2e_launch
  window=$(e2e_wait_main)
  screen_dpi default
  e2e_shot main_window_144dpi
  e2e_geometry "$window"
  e2e_check "the window's inside is 1.5 times as large (build/e2e/shots/main_window_144dpi.png)" \
    test "$GEOMETRY_WIDTH" -ge 940 -a "$GEOMETRY_HEIGHT" -ge 660
  e2e_shot main_window_144dpi_inside "$window"
  e2e_check_equal "the picture is scaled with it" \
    "$(colours_at "$E2E_ROOT/resources/fondo.bmp" "$PICTURE_POINTS")" \
    "$(colours_at "$E2E_BUILD/shots/main_window_144dpi_inside.png" "$SCALED_POINTS")"
  # The first button's scaled place lies below where it is at 100 %.
  e2e_click_at $((GEOMETRY_X + 360 + 30)) $((GEOMETRY_Y + tops[0] + 10))
  local dialog
  dialog=$(e2e_wait_window "Nuevo Presupuesto" "$PROGRAM_PID")
  e2e_pass "\"Nuevo Presupuesto\" is at its scaled place"
  e2e_shot new_quote_144dpi
  e2e_key "$dialog" Escape
  e2e_wait_hidden "$dialog"
  e2e_click_at $((GEOMETRY_X + 360 + 30)) $((GEOMETRY_Y + tops[3] + 10))
  e2e_wait_exit
  e2e_check_equal "so is \"Salir\": the program ends with exit code 0" 0 "$PROGRAM_RC"
}

# Two copies on one folder, reached as P:\ (a drive mapped to it) and as its
# path on Z:, while a third copy runs on another folder, its window over the
# first copy's dialog: the second copy brings that dialog forward as it ends.
second_copy() {
  local first_window first_pid dialog other other_pid box state_before
  ln -sfn "$CASE_DIR" "$WINEPREFIX/dosdevices/p:"
  start_through 'P:\'
  E2E_FIRST_START=yes
  first_window=$(e2e_wait_main "")
  first_pid=$PROGRAM_PID
  e2e_click_main_button "$first_window" 0
  dialog=$(e2e_wait_window "Nuevo Presupuesto")
  state_before=$(folder_state)
  e2e_check "the first copy holds presupuestos.lck" test -f "$CASE_DIR/presupuestos.lck"

  mkdir -p "$CASE_AUX/other"
  cp "$E2E_ROOT/resources/fondo.bmp" "$CASE_AUX/other/"
  e2e_settings 0 1 >"$CASE_AUX/other/config.cfg"
  start_through "Z:${CASE_AUX//\//\\}\\other"
  other=$(wait_other_window "$MAIN_TITLE" "$first_window")
  other_pid=$PROGRAM_PID
  e2e_check "a copy on another folder opens, over the first copy's dialog" above "$other" "$dialog"

  start_through "Z:${CASE_DIR//\//\\}"
  # The program's boxes are titled "Presupuestos".
  box=$(wait_other_window Presupuestos "$first_window" "$other")
  e2e_shot second_copy_box
  e2e_geometry "$box"
  e2e_check "the second copy shows a message box, not a main window" \
    test "$GEOMETRY_WIDTH" -lt 600
  e2e_check_equal "its text" 'El programa ya est\00e1 abierto.' "$(e2e_box_texts)"
  e2e_key "$box" Return
  e2e_wait_exit
  e2e_check_equal "the second copy ends with exit code 1 once its box is closed" 1 "$PROGRAM_RC"
  e2e_check "it has brought the first copy's dialog over the other folder's copy" \
    above "$dialog" "$other"
  e2e_check_equal "nothing changed on disk" "$state_before" "$(folder_state)"
  e2e_check "the first copy still runs" e2e_window_shown "$first_window"

  # Clicks, not keys: under Wine the second copy's activation leaves no
  # window with the keyboard.
  e2e_click_control "$dialog" 130 230 45 14
  e2e_wait_hidden "$dialog"
  # The two main windows lie one over the other: each is raised before its
  # "Salir" is clicked.
  PROGRAM_PID=$other_pid
  xdotool windowraise "$other"
  e2e_click_main_button "$other" 3
  e2e_wait_exit
  PROGRAM_PID=$first_pid
  xdotool windowraise "$first_window"
  e2e_click_main_button "$first_window" 3
  e2e_wait_exit
  e2e_check_equal "the first copy ends with exit code 0" 0 "$PROGRAM_RC"
  rm -f "$WINEPREFIX/dosdevices/p:"
}

e2e_begin
e2e_run_case five_launches five_launches
e2e_run_case leftover_work_folder leftover_work_folder
e2e_run_case folder_in_place folder_in_place
e2e_run_case close_box close_box
e2e_run_case high_dpi_screen high_dpi_screen
# Whatever became of the case, later programs see the prefix's own setting.
screen_dpi default
e2e_run_case second_copy second_copy
e2e_end
