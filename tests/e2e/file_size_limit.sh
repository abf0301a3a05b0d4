#!/usr/bin/env bash
# Under a file-size limit (ulimit -f) a write past the limit fails instead of killing the
# program: the read of a folder named on the command line ends as usual, its output
# cut at the limit, and the program ends by itself with status 0.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
mkdir -p "$WORK/target"
for i in $(seq 100); do : >"$WORK/target/a-file-with-a-rather-long-name-$i.txt"; done
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUT_CSV=1" \
  "IS_FOLDER_LIST_OUTPUT_TXT=0" "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0"

# One block of 1024 bytes: the settings file fits, the CSV file of the folder does not.
(
  ulimit -f 1
  exec "$WORK/app/$KDX_NAME" "$WORK/target"
) >>"$WORK/app.log" 2>&1 &
LAST_PID=$!
PIDS+=("$LAST_PID")
wait_exit "$LAST_PID" 30
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS (153 is SIGXFSZ): $(cat "$WORK/app.log")"
csv=$(ls "$WORK"/out/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no CSV file"
[[ $(stat -c %s "$csv") == 1024 ]] || fail "the CSV file holds $(stat -c %s "$csv") bytes"
expect_saved "IS_FOLDER_LIST_OUTPUT_CSV=1"
echo "PASS"
