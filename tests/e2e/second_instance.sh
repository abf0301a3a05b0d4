#!/usr/bin/env bash
# A second copy started while the first runs shows its refusal, ends when the box is
# dismissed, and neither reads its argument nor touches Setting.ini. The copy's file
# name has an extension: the refusal's caption, the application title, leaves it out.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
make_target
KDX_NAME=KDX.bin
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=0"

start_app
first=$LAST_PID
main_window=$(find_window "$first" '^KDX$' 20) || fail "the first copy shows no window"
before=$(cat "$WORK/app/Setting.ini")

start_app "$WORK/target"
second=$LAST_PID
box=$(find_window "$second" '^KDX$' 20) || fail "the second copy shows no refusal"
[[ -n $box ]] || fail "the second copy shows no refusal"
# The box stays until a person dismisses it: it is there to be answered, its own window
# focused by its id, and only then does the copy end.
kill -0 "$second" 2>/dev/null || fail "the second copy ended before its box was dismissed"
timeout 10 xdotool windowfocus --sync "$box" key Return || fail "the box cannot be answered"
wait_exit "$second" 20
[[ $LAST_STATUS == 0 ]] || fail "the second copy ended with status $LAST_STATUS"
[[ ! -e $WORK/out ]] || fail "the second copy read its argument"
[[ $(cat "$WORK/app/Setting.ini") == "$before" ]] || fail "the second copy wrote Setting.ini"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# The first copy ends through its menu: メイン(&M), 終了(&X).
timeout 10 xdotool windowfocus --sync "$main_window" key alt+m || fail "the main window cannot be reached"
wait_windows "$first" 2 10
timeout 10 xdotool key x
wait_exit "$first" 20
[[ $LAST_STATUS == 0 ]] || fail "the first copy ended with status $LAST_STATUS"
grep -q $'^IS_SUB_FOLDER=1\r$' "$WORK/app/Setting.ini" || fail "the first copy did not save"
echo "PASS"
