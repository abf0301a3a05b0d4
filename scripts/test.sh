#!/usr/bin/env bash
# Sets up, builds and runs every test: the core and the application (offscreen and
# under Xvfb), then the core again under AddressSanitizer with UndefinedBehaviorSanitizer
# and under ThreadSanitizer, and last the Windows build with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKDX_BUILD_APP=OFF \
  -DKDX_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j "$jobs"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKDX_BUILD_APP=OFF \
  -DKDX_SANITIZE=thread >/dev/null
cmake --build build-tsan -j "$jobs"
# ThreadSanitizer needs a fixed address layout on kernels with wide mmap randomisation.
TSAN_OPTIONS=halt_on_error=1 setarch "$(uname -m)" -R \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs"

# The Windows build (mingw-w64) and its tests under Wine, in a code page 932 prefix that
# the tests' fixture makes in build-windows/wine.
bash scripts/build-windows.sh
ctest --test-dir build-windows --output-on-failure -j "$jobs"
