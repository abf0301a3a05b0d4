#!/usr/bin/env bash
# wine-server.sh start|stop WINE_DIR: the test fixture around every Windows test.
# start makes the prefix if needed, then starts a persistent wineserver and the prefix's
# services, all with their output away from CTest's pipes: a Wine process that kept them
# open would hold each test up, or CTest itself. stop ends the server.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_dir=$2
mkdir -p "$wine_dir"
log="$wine_dir/server.log"
source "$here/wine-env.sh" "$wine_dir"
case $1 in
  start)
    if ! bash "$here/wine-prefix.sh" "$wine_dir" </dev/null >"$log" 2>&1; then
      cat "$log"
      exit 1
    fi
    env "${wine_env[@]}" wineserver -p </dev/null >>"$log" 2>&1
    env "${wine_env[@]}" wine wineboot </dev/null >>"$log" 2>&1
    ;;
  stop)
    env "${wine_env[@]}" wineserver -k </dev/null >>"$log" 2>&1 || true
    env "${wine_env[@]}" wineserver -w </dev/null >>"$log" 2>&1 || true
    ;;
esac
