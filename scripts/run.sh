#!/usr/bin/env bash
# Builds presupuestos.exe and starts it under Wine on this display, in the
# working folder run/ (its data files live there; LPT1 prints into
# run/impresora.prn).
set -euo pipefail
cd "$(dirname "$0")/.."
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
touch "$work/impresora.prn"
ln -sfn "$work/impresora.prn" "$WINEPREFIX/dosdevices/lpt1"

cd "$work"
exec wine "$OLDPWD/build/windows/presupuestos.exe"
