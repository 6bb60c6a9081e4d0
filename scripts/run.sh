#!/usr/bin/env bash
# Builds presupuestos.exe and starts it under Wine on this display, in the
# working folder run/ (its data files live there; LPT1 prints into
# run/impresora.prn).
#
# Usage: scripts/run.sh [--no-lpt1]
#   --no-lpt1  start with no LPT1 in the Wine prefix, as on a PC without a
#              parallel port: "Imprimir" then opens the print dialog and
#              prints on the machine's printers (its CUPS queues).
set -euo pipefail
cd "$(dirname "$0")/.."
lpt1=yes
case "${1:-}" in
  "") ;;
  --no-lpt1) lpt1=no ;;
  *) echo "usage: $0 [--no-lpt1]" >&2; exit 2 ;;
esac
bash scripts/deps.sh run
bash scripts/build_windows.sh

if [[ -z "${DISPLAY:-}" ]]; then
  echo "No DISPLAY: start this from a graphical session (or set DISPLAY)." >&2
  exit 1
fi

work="$PWD/run"
export WINEPREFIX="$work/wine"
export WINEDEBUG=-all
# Spanish, as on the offices' machines: Wine's own buttons read "Sí", "No".
export LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
mkdir -p "$work"
[[ -f "$work/fondo.bmp" ]] || cp resources/fondo.bmp "$work/"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  wineboot -i >/dev/null 2>&1
  # Dialogs ask for Courier New; Liberation Mono has the same metrics.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
    /d 'Liberation Mono' /f >/dev/null 2>&1
  wineserver -w
fi
if [[ $lpt1 == yes ]]; then
  touch "$work/impresora.prn"
  ln -sfn "$work/impresora.prn" "$WINEPREFIX/dosdevices/lpt1"
else
  rm -f "$WINEPREFIX/dosdevices/lpt1"
fi

cd "$work"
exec wine "$OLDPWD/build/windows/presupuestos.exe"
