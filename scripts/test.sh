#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (plain, then
# under AddressSanitizer and UndefinedBehaviorSanitizer) and the end-to-end
# tests of the real presupuestos.exe under Wine, and of the download made by
# scripts/dist.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

echo "== Native unit tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=OFF -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build build/native -j2
ctest --test-dir build/native --output-on-failure -j2

echo "== Native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build build/sanitize -j2
ctest --test-dir build/sanitize --output-on-failure -j2

bash scripts/reliability.sh build/sanitize/presupuestos_tests

echo "== Windows program and its download"
bash scripts/dist.sh

echo "== End-to-end tests under Wine"
PRESUPUESTOS_EXE="$PWD/build/windows/presupuestos.exe" bash tests/e2e/run_all.sh
