#!/usr/bin/env bash
# Sets up, builds and starts KDX. An argument (a folder or a file) is read at once.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target KDX
exec ./build/bin/KDX "$@"
