#!/usr/bin/env bash
# wine-server.sh start|stop WINE_DIR: the test fixture around every Windows test.
# start makes the prefix if needed, then starts a persistent wineserver and the prefix's
# services, all with their output away from CTest's pipes: a Wine process that kept them
# open would hold each test up, or CTest itself. The prefix's desktop gets a private X
# server (its display in WINE_DIR/display), which the windows of the end-to-end tests
# use: the desktop process keeps the display it was started with. stop ends both.
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
    rm -f "$wine_dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$wine_dir/display.new" \
      </dev/null >>"$log" 2>&1 &
    echo $! >"$wine_dir/xvfb.pid"
    for ((waited = 0; waited < 100; waited++)); do
      [[ -s $wine_dir/display.new ]] && break
      sleep 0.1
    done
    [[ -s $wine_dir/display.new ]] || { echo "Xvfb did not start"; cat "$log"; exit 1; }
    echo ":$(head -n1 "$wine_dir/display.new")" >"$wine_dir/display"
    export DISPLAY=$(cat "$wine_dir/display")
    env "${wine_env[@]}" wineserver -p </dev/null >>"$log" 2>&1
    env "${wine_env[@]}" wine wineboot </dev/null >>"$log" 2>&1
    ;;
  stop)
    env "${wine_env[@]}" wineserver -k </dev/null >>"$log" 2>&1 || true
    env "${wine_env[@]}" wineserver -w </dev/null >>"$log" 2>&1 || true
    if [[ -f $wine_dir/xvfb.pid ]]; then
      kill "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null || true
      rm -f "$wine_dir/xvfb.pid" "$wine_dir/display" "$wine_dir/display.new"
    fi
    ;;
esac
