#!/usr/bin/env bash
# A folder on a file system that never answers (a share that went away), read from the
# command line: the time-out stops the read and says so while the worker stays held up
# in the listing, and SIGTERM, with the time-out's box still open, ends the program
# within a few seconds, with the settings saved. Needs FUSE and root.
# (The file system gives up a request of a process being killed, as network shares do:
# the kernel lets no process end while one of its threads waits on a FUSE request that
# is never answered.)
source "$(dirname "$0")/e2elib.sh" "$1"
mount_dead_share "${2:-}"
start_x
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
start_app "$SHARE"
app=$LAST_PID
[[ -n $(find_window "$app" '^KDX$' 30) ]] || fail "no main window"
# The time-out's box comes once the time-out has stopped the read and the stop's wait
# for the held-up worker is over; it stays until answered.
[[ -n $(find_window "$app" '^タイムアウト中断$' 30) ]] ||
  fail "no time-out box: $(cat "$WORK/app.log")"
kill -0 "$app" 2>/dev/null || fail "the program ended before the signal: $(cat "$WORK/app.log")"
kill -TERM "$app"
wait_exit "$app" 20
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
expect_saved "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
echo "PASS"
