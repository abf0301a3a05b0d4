#!/usr/bin/env bash
# Cross-builds the Windows build with mingw-w64 into build-windows/: the core, its tests
# and KDX.exe, which is copied to dist/KDX.exe and packed with its Japanese read-me into
# dist/KDX-windows.zip (the "windows" preset of CMakePresets.json). Run its tests with
#   ctest --preset windows
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
mkdir -p dist
cp build-windows/bin/KDX.exe dist/KDX.exe
# The package: one folder, KDX\, holding the program and the read-me (UTF-8 with a
# byte-order mark and CR LF, which Notepad reads on any Windows).
package=build-windows/package
rm -rf "$package" dist/KDX-windows.zip
mkdir -p "$package/KDX"
cp dist/KDX.exe "$package/KDX/KDX.exe"
cp packaging/windows/README-ja.txt "$package/KDX/README-ja.txt"
(cd "$package" && zip -q -X -r ../../dist/KDX-windows.zip KDX)
