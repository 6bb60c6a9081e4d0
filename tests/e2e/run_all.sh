#!/usr/bin/env bash
# Runs every end-to-end test script against an already built program and
# prints the combined count. Usage:
#   PRESUPUESTOS_EXE=build/windows/presupuestos.exe bash tests/e2e/run_all.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
export PRESUPUESTOS_EXE=${PRESUPUESTOS_EXE:-$root/build/windows/presupuestos.exe}

passed=0
failed=0
for script in "$here"/*_test.sh; do
  log=$(mktemp)
  status=0
  bash "$script" 2>&1 | tee "$log" || status=$?
  counts=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || true)
  rm -f "$log"
  if [[ -z "$counts" ]]; then
    echo "$(basename "$script") ended without its count (status $status)" >&2
    failed=$((failed + 1))
    continue
  fi
  read -r script_passed _ script_failed _ <<<"$counts"
  passed=$((passed + script_passed))
  failed=$((failed + script_failed))
  if ((status != 0 && script_failed == 0)); then
    failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
((failed == 0))
