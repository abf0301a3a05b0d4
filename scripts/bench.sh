#!/usr/bin/env bash
# Sets up, builds the benchmark in Release and runs it. Arguments go to kdx_bench:
#   --size 10k|200k|1m (default 200k)  --runs N (default 5)  --trees DIR  --no-xvfb
#   --conditions free,onecore,busy (default all three)  --share-ms MS (default 2; 0: no share)
#   --share-runs N (default: as --runs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target kdx_bench
exec ./build-release/bin/kdx_bench "$@"
