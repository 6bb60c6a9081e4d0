# Shared helpers of the end-to-end tests: the real presupuestos.exe under Wine
# on a private Xvfb display, driven with xdotool. Source it from a test
# script, call e2e_begin, run the cases with e2e_run_case, end with e2e_end.
#
# What the tests rely on (checked on Wine 8.0, Xvfb, xdotool 3.2016):
# - Without a window manager Wine draws no caption: the X window of a
#   top-level window or dialog covers its client area. A dialog template of
#   325 x 250 units therefore maps onto the X window's geometry by scaling.
# - Each X window that Wine destroys costs about two seconds (Wine waits for
#   a window manager to confirm the unmapping, and there is none), so closing
#   a dialog or a message box, or closing the main window, is slow; "Salir"
#   ends the process without destroying its window and is quick.
# - Keys sent to one window (xdotool key --window) reach the program without
#   keyboard focus; alt+F4 sent that way to the main window goes through the
#   default window handling (close command, WM_CLOSE, DestroyWindow,
#   WM_DESTROY). Typed text and ctrl+v go through the X server (XTEST) to
#   the window under the pointer, so a field is clicked before typing.
# - xdotool types ASCII only; other characters are pasted from the clipboard
#   (UTF-8 there, Windows-1252 in the program's edit controls).
# - The message boxes' texts are not visible to X; Wine's "msgbox" debug
#   channel writes each text to the program's stderr (wine.log of the case).

set -euo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_BUILD=${E2E_BUILD:-$E2E_ROOT/build/e2e}
PRESUPUESTOS_EXE=${PRESUPUESTOS_EXE:-$E2E_ROOT/build/windows/presupuestos.exe}
MAIN_TITLE='Programa de Presupuestos. Nombre empresa'
# Every dialog template of the program is 325 x 250 dialog units.
DIALOG_UNITS_WIDE=325
DIALOG_UNITS_HIGH=250
# The quote dialogs' controls, in dialog units as in the resource script:
# x y width height. The same places in all three dialogs where they share one.
NAME_FIELD="132 3 165 12"
DATE_FIELD="40 18 57 12"
ADDRESS_FIELD="150 18 165 12"
BODY_FIELD="8 35 308 195"
TOTAL_FIELD="263 230 50 12"
NEW_SAVE="10 230 45 14"
NEW_PRINT="70 230 45 14"
CANCEL_BUTTON="130 230 45 14"
PREV_BUTTON="10 230 15 14"
NEXT_BUTTON="40 230 15 14"
LIST_PRINT="70 230 45 14"
MODIFY_SAVE="70 230 45 14"
# Seconds to wait for a window, a file or the end of the program.
E2E_TIMEOUT=${E2E_TIMEOUT:-40}

# The locale of the offices that use the program: Wine's own buttons and
# dialogs read "Sí", "No", "Cancelar" (scripts/deps.sh generates it).
export LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
export WINEPREFIX=${E2E_WINEPREFIX:-$E2E_BUILD/prefix}
export WINEDEBUG=-all

SCRIPT_NAME=$(basename "$0" .sh)
RESULTS_FILE=""
XVFB_PIDS=()
E2E_PREFIXES=()
# The file in CASE_AUX that takes the program's Wine messages (see e2e_pc).
E2E_LOG=wine.log
CASE_DIR=""
CASE_AUX=""
PROGRAM_PID=""
PROGRAM_RC=""

# ---------------------------------------------------------------- results

e2e_pass() {
  echo "  ok: $*"
  echo pass >>"$RESULTS_FILE"
}

e2e_fail() {
  echo "  FAIL: $*" >&2
  echo fail >>"$RESULTS_FILE"
}

# e2e_check DESCRIPTION COMMAND...: passes when the command succeeds.
e2e_check() {
  local description=$1
  shift
  if "$@"; then e2e_pass "$description"; else e2e_fail "$description"; fi
}

# e2e_check_equal DESCRIPTION EXPECTED ACTUAL
e2e_check_equal() {
  if [[ "$2" == "$3" ]]; then
    e2e_pass "$1"
  else
    e2e_fail "$1: expected [$2], got [$3]"
  fi
}

# e2e_check_bytes DESCRIPTION EXPECTED_FILE ACTUAL_FILE: byte for byte.
e2e_check_bytes() {
  local description=$1 expected=$2 actual=$3
  if [[ -f "$actual" ]] && cmp -s "$expected" "$actual"; then
    e2e_pass "$description"
    return
  fi
  e2e_fail "$description"
  if [[ ! -f "$actual" ]]; then
    echo "    $actual does not exist" >&2
    return
  fi
  echo "    expected $(wc -c <"$expected") bytes ($expected), got $(wc -c <"$actual") ($actual)" >&2
  cmp "$expected" "$actual" >&2 || true
  echo "    first differences (offset from 1, expected, actual; octal):" >&2
  cmp -l "$expected" "$actual" 2>/dev/null | head -n 8 | sed 's/^/    /' >&2 || true
}

# e2e_wait_until SECONDS COMMAND...: true once the command succeeds.
e2e_wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# e2e_wait_for_bytes EXPECTED_FILE ACTUAL_FILE: for a file that the program
# writes a moment after the click that asks for it.
e2e_wait_for_bytes() {
  e2e_wait_until "$E2E_TIMEOUT" cmp -s "$1" "$2" || true
}

# --------------------------------------------------------- display, Wine

e2e_start_display() {
  local number_file
  number_file=$(mktemp)
  # Xvfb picks a free display itself and writes its number once it is ready.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PIDS+=($!)
  if ! e2e_wait_until 10 grep -q '^[0-9]' "$number_file"; then
    rm -f "$number_file"
    echo "Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
}

# Makes the Wine prefix once and keeps it for later runs.
e2e_prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/.e2e-ready-es" ]]; then
    echo "Preparing the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # The dialogs ask for Courier New; Liberation Mono has its metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
      /d 'Liberation Mono' /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.e2e-ready-es"
  fi
  # A server left from an earlier run would still talk to its dead display.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # One server for the whole run makes each launch quicker.
  wineserver -p
  E2E_PREFIXES+=("$WINEPREFIX")
}

e2e_cleanup() {
  local prefix pid
  # Ends the servers of the prefixes, which are private to these tests:
  # every process in them was started here.
  for prefix in "${E2E_PREFIXES[@]}"; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${XVFB_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}

e2e_begin() {
  local tool
  for tool in Xvfb wine wineboot wineserver xdotool xclip xwininfo import iconv cmp; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
  done
  if [[ ! -f "$PRESUPUESTOS_EXE" ]]; then
    echo "no program at $PRESUPUESTOS_EXE (set PRESUPUESTOS_EXE)" >&2
    exit 1
  fi
  PRESUPUESTOS_EXE=$(cd "$(dirname "$PRESUPUESTOS_EXE")" && pwd)/$(basename "$PRESUPUESTOS_EXE")
  mkdir -p "$E2E_BUILD/shots" "$E2E_BUILD/cases"
  RESULTS_FILE="$E2E_BUILD/cases/$SCRIPT_NAME.results"
  : >"$RESULTS_FILE"
  trap e2e_cleanup EXIT
  e2e_start_display
  e2e_prepare_prefix
  echo "== $SCRIPT_NAME (display $DISPLAY)"
}

# ------------------------------------------------------------ several PCs
# Copies of the program on one working folder as on several PCs. A PC is a
# Wine prefix, so a wineserver of its own (share modes and named objects are
# its own; LockFileEx ranges on the folder's files are seen by all), with a
# display of its own. The helpers act on the current PC: its prefix, display,
# wine log, program, main window, dialog and box. e2e_begin makes PC A.

E2E_PC_VARS=(WINEPREFIX DISPLAY E2E_LOG PROGRAM_PID MAIN DIALOG BOX E2E_FIRST_START)
declare -A E2E_PC_STATE=()
E2E_CURRENT_PC=A

# e2e_pc NAME: makes NAME the current PC.
e2e_pc() {
  local var
  for var in "${E2E_PC_VARS[@]}"; do E2E_PC_STATE[$E2E_CURRENT_PC.$var]=${!var-}; done
  for var in "${E2E_PC_VARS[@]}"; do printf -v "$var" '%s' "${E2E_PC_STATE[$1.$var]-}"; done
  E2E_CURRENT_PC=$1
}

# e2e_add_pc NAME: another PC, its prefix made as the first one's, its
# messages in CASE_AUX/wine-NAME.log. Call it after e2e_begin.
e2e_add_pc() {
  local first=$E2E_CURRENT_PC prefix=$WINEPREFIX-$1
  e2e_pc "$1"
  WINEPREFIX=$prefix
  E2E_LOG=wine-$1.log
  e2e_start_display
  e2e_prepare_prefix
  e2e_pc "$first"
}

# Prints the counts and ends the script, failing when any check failed.
e2e_end() {
  local passed failed
  passed=$(grep -c '^pass$' "$RESULTS_FILE" || true)
  failed=$(grep -c '^fail$' "$RESULTS_FILE" || true)
  echo "$passed passed, $failed failed"
  ((failed == 0))
}

# ----------------------------------------------------------------- cases

# e2e_new_folder NAME: a fresh working folder CASE_DIR holding fondo.bmp,
# and beside it CASE_AUX for the case's own files: the printer output
# lpt1.out (LPT1 is linked to it), expected contents, the program's logs.
e2e_new_folder() {
  CASE_DIR="$E2E_BUILD/cases/$SCRIPT_NAME/$1"
  CASE_AUX="$CASE_DIR.aux"
  rm -rf "$CASE_DIR" "$CASE_AUX"
  mkdir -p "$CASE_DIR" "$CASE_AUX"
  cp "$E2E_ROOT/resources/fondo.bmp" "$CASE_DIR/"
  # Wine opens LPT1 only when the link's target exists.
  : >"$CASE_AUX/lpt1.out"
  ln -sfn "$CASE_AUX/lpt1.out" "$WINEPREFIX/dosdevices/lpt1"
}

# e2e_run_case NAME FUNCTION: runs one case in a fresh working folder. A case
# that stops half-way (a window that never came) counts as one failure and
# the others still run. E2E_ONLY="NAME ..." runs only the cases named.
e2e_run_case() {
  local name=$1 function=$2 status started=$SECONDS
  if [[ -n "${E2E_ONLY:-}" && " $E2E_ONLY " != *" $name "* ]]; then return; fi
  echo "-- $name"
  e2e_new_folder "$name"
  PROGRAM_PID=""
  set +e
  (
    set -e
    "$function"
  )
  status=$?
  set -e
  if ((status != 0)); then
    e2e_fail "$name: stopped before its end (status $status); see $CASE_AUX"
    e2e_shot "$SCRIPT_NAME-$name-stopped"
  fi
  e2e_kill_programs
  echo "   ($((SECONDS - started)) s)"
}

# Ends whatever a case left running, by process id.
e2e_kill_programs() {
  local pid
  for pid in $(cat "$CASE_AUX/pids" 2>/dev/null); do
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
    fi
  done
  rm -f "$CASE_AUX/pids"
}

# ---------------------------------------------------------------- program

# e2e_launch: starts the program in the case's folder, in the background.
# PROGRAM_PID is its process id, which is also the pid of its windows.
# E2E_FIRST_START tells whether the folder had never been used (no
# config.cfg): the program then asks for the business's data.
e2e_launch() {
  E2E_FIRST_START=yes
  [[ -e "$CASE_DIR/config.cfg" ]] && E2E_FIRST_START=no
  # The msgbox channel writes the text of every message box into wine.log.
  # E2E_WINEDEBUG adds channels of the case's own.
  (cd "$CASE_DIR" && WINEDEBUG=-all,+msgbox${E2E_WINEDEBUG:+,$E2E_WINEDEBUG} exec wine "$PRESUPUESTOS_EXE") \
    >>"$CASE_AUX/${E2E_LOG%.log}.out" 2>>"$CASE_AUX/$E2E_LOG" &
  PROGRAM_PID=$!
  echo "$PROGRAM_PID" >>"$CASE_AUX/pids"
}

# e2e_wait_main [PID]: prints the main window's id once the program is
# ready for its buttons. At a first start the "Datos de la empresa" dialog
# opens over it: it is cancelled, as by a user who leaves it for later, and
# a first start without it fails.
e2e_wait_main() {
  local pid=${1-$PROGRAM_PID} main company
  main=$(e2e_wait_window "$MAIN_TITLE" "$pid") || return 1
  if [[ ${E2E_FIRST_START:-no} == yes ]]; then
    company=$(e2e_wait_window "Datos de la empresa" "$pid") || return 1
    e2e_key "$company" Escape
    e2e_wait_hidden "$company" || return 1
  fi
  echo "$main"
}

# e2e_wait_exit: waits for the program to end; its exit code in PROGRAM_RC.
e2e_wait_exit() {
  if ! e2e_wait_until "$E2E_TIMEOUT" e2e_gone_process "$PROGRAM_PID"; then
    echo "program $PROGRAM_PID did not end" >&2
    return 1
  fi
  PROGRAM_RC=0
  wait "$PROGRAM_PID" || PROGRAM_RC=$?
}

e2e_gone_process() { ! kill -0 "$1" 2>/dev/null; }

# The texts of the message boxes the program has opened so far, one a line,
# as Wine writes them (a non-ASCII letter as \00e1, a line break as \n, and
# a long text cut after about 300 characters, where Wine adds "...").
e2e_box_texts() {
  sed -n 's/.*trace:msgbox:MSGBOX_OnInit L"\(.*\)"\(\.\.\.\)\{0,1\}\r\{0,1\}$/\1/p' "$CASE_AUX/$E2E_LOG" 2>/dev/null || true
}

# ---------------------------------------------------------------- windows

e2e_title_pattern() {
  printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')"
}

# e2e_find_window TITLE [PID]: ids of the shown windows with that title
# (and of that process), one a line.
e2e_find_window() {
  if [[ -n "${2:-}" ]]; then
    xdotool search --all --onlyvisible --pid "$2" --name "$(e2e_title_pattern "$1")" 2>/dev/null || true
  else
    xdotool search --onlyvisible --name "$(e2e_title_pattern "$1")" 2>/dev/null || true
  fi
}

# e2e_wait_window TITLE [PID]: prints the id of the window once it is shown.
e2e_wait_window() {
  local id="" deadline=$((SECONDS + E2E_TIMEOUT))
  while :; do
    id=$(e2e_find_window "$@" | head -n 1)
    [[ -n "$id" ]] && break
    if ((SECONDS >= deadline)); then
      echo "no window \"$1\" shown" >&2
      return 1
    fi
    sleep 0.1
  done
  # Give the program a moment to take the window's first messages.
  sleep 0.2
  echo "$id"
}

# e2e_logo_png FILE: a 400 x 200 logo, a blue band over a red one, on white.
e2e_logo_png() {
  convert -size 400x200 xc:white -fill '#1040c0' -draw 'rectangle 0,0 399,99' \
    -fill '#c02020' -draw 'rectangle 100,100 299,199' "$1"
}

# e2e_wait_box: waits for a message box of the program; sets BOX.
e2e_wait_box() {
  BOX=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
}

e2e_window_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
e2e_window_hidden() { ! e2e_window_shown "$1"; }

# e2e_wait_hidden ID: waits for the window to go away.
e2e_wait_hidden() {
  e2e_wait_until "$E2E_TIMEOUT" e2e_window_hidden "$1"
}

# e2e_geometry ID: sets GEOMETRY_X, _Y, _WIDTH, _HEIGHT of the window.
e2e_geometry() {
  local key value
  while IFS='=' read -r key value; do
    case $key in
      X) GEOMETRY_X=$value ;;
      Y) GEOMETRY_Y=$value ;;
      WIDTH) GEOMETRY_WIDTH=$value ;;
      HEIGHT) GEOMETRY_HEIGHT=$value ;;
    esac
  done < <(xdotool getwindowgeometry --shell "$1")
  [[ -n "${GEOMETRY_WIDTH:-}" ]]
}

e2e_click_at() {
  # No --sync: it waits for the pointer to move, and so hangs when the
  # pointer is already there. The server takes the move before the click.
  xdotool mousemove "$1" "$2" click 1
  sleep 0.1
}

# e2e_click_main_button ID INDEX: presses one of the buttons of the main
# window (0 "Nuevo Presupuesto", 1 "Listar", 2 "Modificar", 3 "Salir",
# 4 "Datos de la empresa", 5 "Buscar"). They are at x 240 and y 150, 200,
# 250, 325, 50, 100 of the client area; their size follows the system font,
# but is never below 80 x 20 pixels.
e2e_click_main_button() {
  local tops=(150 200 250 325 50 100)
  e2e_geometry "$1"
  e2e_click_at $((GEOMETRY_X + 240 + 30)) $((GEOMETRY_Y + ${tops[$2]} + 10))
}

# e2e_click_control ID X Y WIDTH HEIGHT: clicks the middle of a dialog
# control given in dialog units, as in the resource script.
e2e_click_control() {
  e2e_geometry "$1"
  e2e_click_at $((GEOMETRY_X + (2 * $2 + $4) * GEOMETRY_WIDTH / (2 * DIALOG_UNITS_WIDE))) \
    $((GEOMETRY_Y + (2 * $3 + $5) * GEOMETRY_HEIGHT / (2 * DIALOG_UNITS_HIGH)))
}

# e2e_key ID KEY...: keys for one window, needing no keyboard focus.
e2e_key() {
  local id=$1
  shift
  # xdotool complains here that the server reports no focus window, which
  # keys sent to a window do not need; and a key that closes the window
  # leaves its release with no window to go to.
  xdotool key --window "$id" "$@" 2>/dev/null || true
  sleep 0.1
}

# e2e_type TEXT: ASCII text, typed into the field last clicked.
e2e_type() {
  xdotool type --delay 12 -- "$1"
}

# e2e_start_program: launches the program on the case's folder; sets MAIN.
e2e_start_program() {
  e2e_launch
  MAIN=$(e2e_wait_main)
}

# e2e_open_dialog BUTTON_INDEX TITLE: opens a main-window button's dialog;
# sets DIALOG.
e2e_open_dialog() {
  e2e_click_main_button "$MAIN" "$1"
  DIALOG=$(e2e_wait_window "$2" "$PROGRAM_PID")
}

# e2e_click CONTROL: clicks a control of the open dialog.
e2e_click() { e2e_click_control "$DIALOG" $1; }

# e2e_end_program: "Salir", and the program's end.
e2e_end_program() {
  e2e_click_main_button "$MAIN" 3
  e2e_wait_exit
}

# e2e_select_all_in_field / _in_body: selects the text of the field last
# clicked, so that what is typed next replaces it.
e2e_select_all_in_field() { xdotool key Home shift+End; }
e2e_select_all_in_body() { xdotool key ctrl+Home ctrl+shift+End; }

# e2e_replace_field CONTROL TEXT: types ASCII text over the field's text.
e2e_replace_field() {
  e2e_click "$1"
  e2e_select_all_in_field
  e2e_type "$2"
}

# e2e_paste TEXT: pastes Windows-1252 text (any letters, line breaks as LF)
# into the field last clicked, through the clipboard.
e2e_paste() {
  local xclip_pid
  # xclip serves the clipboard for exactly one request, so its end tells
  # that the program has taken the text.
  printf '%s' "$1" | iconv -f WINDOWS-1252 -t UTF-8 |
    xclip -selection clipboard -i -quiet -loops 1 >/dev/null 2>&1 &
  xclip_pid=$!
  sleep 0.1
  # A busy machine may let the key reach the field before the click that
  # gives it the focus: while xclip still waits, nothing was pasted, and
  # the key is sent again.
  local tries=0
  xdotool key ctrl+v
  while ! e2e_wait_until 8 e2e_gone_process "$xclip_pid" && ((++tries < E2E_TIMEOUT / 8)); do
    xdotool key ctrl+v
  done
  if ! e2e_gone_process "$xclip_pid"; then
    kill "$xclip_pid" 2>/dev/null || true
    echo "the program did not take the pasted text" >&2
    return 1
  fi
  wait "$xclip_pid" 2>/dev/null || true
}

# e2e_save_new_quote DIALOG NUMBER [TEXT]: "Guardar" in the "Nuevo
# Presupuesto" dialog DIALOG, and the box that then says the quote was stored
# as NUMBER (in those words, or in TEXT) accepted.
e2e_save_new_quote() {
  e2e_press_save_new "$@" && e2e_wait_hidden "$BOX"
}

# e2e_press_save_new DIALOG NUMBER [TEXT]: the same, but the box BOX is left
# to go away while another PC goes on.
e2e_press_save_new() {
  local text=${3:-"Presupuesto $2 guardado."}
  e2e_click_control "$1" $NEW_SAVE
  e2e_wait_box || return 1
  e2e_wait_until "$E2E_TIMEOUT" e2e_last_box_is "$text" || true
  e2e_check_equal "\"Guardar\" says the quote is stored as number $2" \
    "$text" "$(e2e_box_texts | tail -n 1)"
  e2e_key "$BOX" Return
}

e2e_last_box_is() { [[ "$(e2e_box_texts | tail -n 1)" == "$1" ]]; }

# e2e_search_export SEARCH PATH: "Exportar…" in the search dialog SEARCH,
# with PATH typed in the Save As dialog (none: the name it offers, in the
# folder it shows), and the message that follows closed.
e2e_search_export() {
  local boxes save box DIALOG_UNITS_WIDE=400
  boxes=$(e2e_box_texts | wc -l)
  e2e_click_control "$1" 189 230 50 14
  save=$(e2e_wait_window "Guardar como" "$PROGRAM_PID")
  if [[ -n "$2" ]]; then
    e2e_geometry "$save"
    xdotool mousemove $((GEOMETRY_X + GEOMETRY_WIDTH / 2)) $((GEOMETRY_Y + GEOMETRY_HEIGHT / 2))
    e2e_type "$2"
  fi
  e2e_key "$save" Return
  e2e_wait_until "$E2E_TIMEOUT" test "$(e2e_box_texts | wc -l)" -gt "$boxes" || true
  box=$(e2e_wait_window "Presupuestos" "$PROGRAM_PID")
  e2e_key "$box" Return
  e2e_wait_hidden "$box"
}

# e2e_shot NAME [ID]: a screenshot, of the screen or of one window, into
# build/e2e/shots/NAME.png.
e2e_shot() {
  timeout 20 import -window "${2:-root}" "$E2E_BUILD/shots/$1.png" 2>/dev/null || true
}

# ------------------------------------------------------------------ bytes
# Expected file contents are built with printf; texts in the scripts are
# Windows-1252 bytes, so these helpers count bytes, not letters.

# e2e_word VALUE: a 32-bit little-endian integer.
e2e_word() {
  local value=$(($1 & 0xFFFFFFFF))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((value & 255)) $((value >> 8 & 255)) \
    $((value >> 16 & 255)) $((value >> 24 & 255)))"
}

# e2e_settings QUOTES LAUNCHES: the 8 bytes of config.cfg.
e2e_settings() {
  e2e_word "$1"
  e2e_word "$2"
}

# e2e_field TEXT WIDTH: the text, then zero bytes up to the width.
e2e_field() {
  local LC_ALL=C
  printf '%s' "$1"
  head -c $(($2 - ${#1})) /dev/zero
}

# e2e_record BODY NAME DATE ADDRESS TOTAL: one 1960-byte quote record.
e2e_record() {
  e2e_field "$1" 1800
  e2e_field "$2" 40
  e2e_field "$3" 40
  e2e_field "$4" 40
  e2e_field "$5" 40
}

# e2e_records COUNT BODY NAME DATE ADDRESS TOTAL: COUNT copies of one record.
e2e_records() {
  local count=$1 file
  shift
  file=$(mktemp)
  e2e_record "$@" >"$file"
  while (($(stat -c %s "$file") < count * 1960)); do
    cat "$file" "$file" >"$file.twice"
    mv "$file.twice" "$file"
  done
  head -c $((count * 1960)) "$file"
  rm -f "$file"
}

# The date text the program builds at start-up: day, two-digit month, year.
e2e_today() { date +%-d/%m/%Y; }
# The name of the backup folder of today.
e2e_backup_folder() { date +%-d-%m-%Y; }
