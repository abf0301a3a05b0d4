#!/usr/bin/env bash
# A read started from the command line in a file system that never answers (a share that
# went away), with the time-out on, ends the program by itself: the time-out stops the
# read, the window waits a bounded time for the held-up worker, shows the time-out's
# box, and once it is answered the program ends with status 0 and its settings saved,
# the worker still held up. Needs FUSE and root.
source "$(dirname "$0")/e2elib.sh" "$1"
mount_dead_share "${2:-}"
start_x
# Three keys only: the save at the end writes all seventeen.
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" \
  "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
start_app "$SHARE"
app=$LAST_PID
box=$(find_window "$app" '^タイムアウト中断$' 30) || true
[[ -n $box ]] || fail "no time-out box: $(cat "$WORK/app.log")"
timeout 10 xdotool windowfocus --sync "$box" key Return || fail "the box cannot be answered"
wait_exit "$app" 20
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
expect_saved "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1" \
  "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out"
! compgen -G "$WORK/out/KDX_*" >/dev/null || fail "the stopped read wrote output"
echo "PASS"
