#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building, running or
# testing the program needs and that this machine lacks, and generates the
# Spanish locale that Wine runs under (so its own buttons read "Sí", "No").
# Usage: scripts/deps.sh run|dist|test
set -euo pipefail

run_packages=(cmake make g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev wine wine64 fonts-liberation locales)
dist_packages=(cmake make g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev zip)
# zlib (libz-mingw-w64-dev for the .exe, zlib1g-dev for the tests) packs the
# PDF's streams. CUPS with a PDF queue and poppler's pdftotext: printing where
# there is no LPT1, checked on the PDF it gives; qpdf and poppler check the
# program's own PDFs. icoutils reads the .exe's icon and manifest back.
test_packages=("${run_packages[@]}" g++ libgtest-dev zlib1g-dev qpdf xvfb xdotool imagemagick x11-utils xclip xxd
               clang cppcheck clang-tidy zip unzip cups printer-driver-cups-pdf poppler-utils
               icoutils python3)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  dist) wanted=("${dist_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|dist|test" >&2; exit 2 ;;
esac

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The download is only built, never run: it needs no locale. The tests also
# run the program where the system's code page is UTF-8 (hi_IN.UTF-8).
wanted_locales=("es_ES.UTF-8 UTF-8")
[[ $1 == test ]] && wanted_locales+=("hi_IN UTF-8")
if [[ $1 != dist ]]; then
  generate=no
  for entry in "${wanted_locales[@]}"; do
    name=${entry%% *}
    # locale -a lists es_ES.UTF-8 as es_ES.utf8, hi_IN (UTF-8) as hi_IN.utf8.
    locale -a 2>/dev/null | grep -qx "${name%.UTF-8}.utf8" && continue
    echo "Generating the locale ${name%.UTF-8}.UTF-8"
    $sudo sed -i "s/^# *\($entry\)\$/\1/" /etc/locale.gen
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | $sudo tee -a /etc/locale.gen >/dev/null
    generate=yes
  done
  if [[ $generate == yes ]]; then $sudo locale-gen >/dev/null; fi
fi
