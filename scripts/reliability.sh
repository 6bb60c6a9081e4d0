#!/usr/bin/env bash
# The reliability suite beyond the unit tests: the fault, crash, power-loss,
# passing-refusal and huge count tests with what they measured, a bounded libFuzzer run, and static
# analysis (cppcheck, clang-tidy) of the program's own sources.
# Usage: scripts/reliability.sh [unit test binary]
#   FUZZ_SECONDS=60 (default) bounds the fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${FUZZ_SECONDS:-60}
started=$SECONDS
sources=(common app store dialogs print winstub)

echo "== Fault injection, crash consistency, power loss, refusals that pass, huge count"
tests=${1:-}
if [[ -z "$tests" ]]; then
  cmake -S . -B build/rel -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
  cmake --build build/rel -j2 >/dev/null
  tests=build/rel/presupuestos_tests
fi
"$tests" --gtest_filter='FaultInjection.*:Crash.*:PowerLoss.*:TransientFaults.*:HugeCount.*:StoreFaults.*' --gtest_brief=1 |
  grep -E '^\[ measured \]|FAILED|PASSED'
echo "   ($((SECONDS - started)) s)"

echo "== Fuzzing for ${fuzz_seconds} s"
step=$SECONDS
cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j2 >/dev/null
# The fuzzer works in a scratch folder of its own, so every path given to it
# is absolute; it grows a copy of the corpus, never the one in the repository.
rm -rf build/fuzz/corpus build/fuzz/artifacts
mkdir -p build/fuzz/corpus build/fuzz/artifacts
cp fuzz/corpus/* build/fuzz/corpus/
build/fuzz/store_fuzzer -max_total_time="$fuzz_seconds" -timeout=10 -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$root/build/fuzz/artifacts/" \
  "$root/build/fuzz/corpus" >build/fuzz/run.log 2>&1 || {
  tail -40 build/fuzz/run.log
  echo "Fuzzing found a fault; the input is in build/fuzz/artifacts/" >&2
  exit 1
}
grep -E 'stat::(number_of_executed_units|peak_rss_mb)' build/fuzz/run.log
echo "   corpus $(ls build/fuzz/corpus | wc -l) inputs ($((SECONDS - step)) s)"

echo "== cppcheck"
step=$SECONDS
# unusedFunction is left out: the entry point and the stand-in's test hooks
# are called from outside the files checked.
cppcheck --enable=warning,style,performance,portability --std=c++17 --language=c++ \
  --inline-suppr --error-exitcode=1 --quiet --suppress=missingIncludeSystem \
  -I . -I winstub "${sources[@]}"
echo "   clean ($((SECONDS - step)) s)"

echo "== clang-tidy"
step=$SECONDS
cmake -S . -B build/rel -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The disk seam's Windows file, which the native build leaves out, is read
# with MinGW-w64's headers for a Windows target.
mingw_includes=$(echo | x86_64-w64-mingw32-g++ -x c++ -E -v - 2>&1 |
  grep -E '^ .*(/c\+\+|mingw32/include)' | sed 's/^ /-isystem /')
# shellcheck disable=SC2086
if ! { find "${sources[@]}" -name '*.cpp' ! -name disk_win32.cpp -print0 | sort -z |
  xargs -0 -n4 -P2 clang-tidy -p build/rel --quiet &&
  clang-tidy --quiet store/disk_win32.cpp -- -std=c++17 --target=x86_64-w64-mingw32 -I. \
    $mingw_includes -DUNICODE -D_UNICODE; } >build/rel/clang-tidy.log 2>&1; then
  grep -v ' warnings generated' build/rel/clang-tidy.log
  echo "clang-tidy has findings (above)" >&2
  exit 1
fi
echo "   clean ($((SECONDS - step)) s)"

echo "== Reliability suite passed in $((SECONDS - started)) s"
