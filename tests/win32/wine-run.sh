#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's prefix: wine-run.sh WINE_DIR PROGRAM [ARGS]
# (CTest's emulator for the Windows build).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh" "$1"
shift
exec env "${wine_env[@]}" wine "$@"
