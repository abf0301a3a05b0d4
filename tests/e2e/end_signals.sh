#!/usr/bin/env bash
# SIGTERM (a logout, kill), SIGHUP (a closed terminal) and SIGINT (Ctrl+C) are a close
# of the main window: the settings are saved and the program ends with status 0.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x

for signal in TERM HUP INT; do
  rm -rf "$WORK/app"
  # Three keys only, one of them not as a save writes it: a save rewrites the file whole.
  make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0030"
  # A script's background job starts with SIGINT ignored; the program is given it as a
  # terminal would.
  env --default-signal="$signal" "$WORK/app/$KDX_NAME" >>"$WORK/app.log" 2>&1 &
  pid=$!
  PIDS+=("$pid")
  [[ -n $(find_window "$pid" '^KDX$' 30) ]] || fail "SIG$signal: no main window"
  kill -s "$signal" "$pid"
  wait_exit "$pid" 15
  [[ $LAST_STATUS == 0 ]] || fail "SIG$signal: exit status $LAST_STATUS: $(cat "$WORK/app.log")"
  expect_saved "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30" "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out"
done
echo "PASS"
