#!/usr/bin/env bash
# Cross-builds the Windows build with mingw-w64 into build-windows/: the core, its tests
# and (once it exists) KDX.exe, which is copied to dist/. Run its tests with
#   ctest --test-dir build-windows
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build-windows -j "$jobs"
if [[ -f build-windows/bin/KDX.exe ]]; then
  mkdir -p dist
  cp build-windows/bin/KDX.exe dist/KDX.exe
fi
