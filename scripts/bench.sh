#!/usr/bin/env bash
# Measures the quote store, the search, the export and the print job against
# their floors with 1 000, 10 000 and 100 000 quotes, and a keystroke in the
# search under Wine, and writes the table to build/bench/table.md. Needs
# about 1 GB free under build/bench while it runs and takes some minutes; it
# is not part of the tests.
# Usage: scripts/bench.sh [presupuestos_bench options, e.g. --repetitions=5]
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "$(dpkg-query -W -f='${Status}' libbenchmark-dev 2>/dev/null || true)" != "install ok installed" ]]; then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq libbenchmark-dev >/dev/null
fi

cmake -S . -B build/bench -DBENCHMARKS=ON -DSANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target presupuestos_bench

cd build/bench
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine shows in the times)"
trap 'rm -rf data' EXIT
# It ends with status 1 where an operation's median is over its target.
status=0
./bench/presupuestos_bench --data=data --table=table.md --benchmark_color=false "$@" || status=$?

# A keystroke in the search as the Windows program makes it, under Wine, on
# the same folders: the median and the slowest of 21.
if command -v x86_64-w64-mingw32-g++ >/dev/null && command -v wine >/dev/null; then
  (cd ../.. && x86_64-w64-mingw32-g++ -O2 -std=c++17 -I. bench/wine_keystroke.cpp common/*.cpp \
    $(ls store/*.cpp | grep -v disk_posix) dialogs/quote_search.cpp dialogs/search_rows.cpp -static -o build/bench/wine_keystroke.exe)
  export WINEPREFIX=$PWD/wine-prefix WINEDEBUG=-all
  for folder in data/q*; do
    quotes=${folder#data/q}
    ((quotes > 0)) || continue
    (cd "$folder" && wine ../../wine_keystroke.exe "$quotes" "cliente 123") | tee -a table.md
  done
fi
echo "Table written to build/bench/table.md"
exit "$status"
