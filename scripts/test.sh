#!/usr/bin/env bash
# Sets up, builds and runs every test, one configuration of CMakePresets.json after
# another: the core and the application (offscreen and under Xvfb), then the core again
# under AddressSanitizer with UndefinedBehaviorSanitizer and under ThreadSanitizer, and
# last the Windows build with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
# ThreadSanitizer needs a fixed address layout on kernels with wide mmap randomisation.
setarch "$(uname -m)" -R ctest --preset tsan -j "$jobs"

# The Windows build (mingw-w64) and its tests under Wine, in a code page 932 prefix that
# the tests' fixture makes in build-windows/wine.
bash scripts/build-windows.sh
ctest --preset windows -j "$jobs"
