#!/usr/bin/env bash
# The display connection is lost while the program is idle with its window shown (the X
# server ends): Qt ends the process from inside its event loop, and the settings are
# saved first.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
# Two keys only, one not as a save writes it: a save rewrites the file whole.
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0030"
start_app
app=$LAST_PID
[[ -n $(find_window "$app" '^KDX$' 30) ]] || fail "no main window"
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=
wait_exit "$app" 20
# Qt's own exit for a broken connection; a signal (128 and above) would be a crash.
((LAST_STATUS < 128)) || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
expect_saved "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30" "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out"
echo "PASS"
