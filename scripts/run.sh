#!/usr/bin/env bash
# Sets up, builds and starts KDX. An argument (a folder or a file) is read at once.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target KDX
exec ./build/bin/KDX "$@"
