#!/usr/bin/env bash
# Cross-compiles presupuestos.exe with MinGW-w64 into build/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build build/windows -j2
