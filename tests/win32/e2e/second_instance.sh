#!/usr/bin/env bash
# A second copy started while the first runs shows "複数起動は出来ません" in a box captioned
# "KDX", ends when the box is dismissed, and neither reads its argument nor touches
# Setting.ini; the first copy goes on and ends through its menu, saving its settings.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
mkdir -p "$WORK/target"
printf 'y' >"$WORK/target/b.txt"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=0"

start_app
first=$LAST_PID
main_window=$(wait_window '^KDX$' "" 30) || fail "the first copy shows no window"
before=$(cat "$WORK/app/Setting.ini")

start_app "$(winpath "$WORK/target")"
second=$LAST_PID
box=$(wait_window '^KDX$' "$main_window" 30) || fail "the second copy shows no refusal"
shot second_instance
# The box stays until a person dismisses it.
sleep 0.5
kill -0 "$second" 2>/dev/null || fail "the second copy ended before its box was dismissed"
keys_to "$box" Return || fail "the box cannot be answered"
wait_exit "$second" 30
[[ $LAST_STATUS == 0 ]] || fail "the second copy ended with status $LAST_STATUS"
[[ ! -e $WORK/out ]] || fail "the second copy read its argument"
[[ $(cat "$WORK/app/Setting.ini") == "$before" ]] || fail "the second copy wrote Setting.ini"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# The first copy ends through its menu: メイン(&M), 終了(&X).
keys_to "$main_window" alt+m x || fail "the main window cannot be reached"
wait_exit "$first" 30
[[ $LAST_STATUS == 0 ]] || fail "the first copy ended with status $LAST_STATUS"
grep -q $'^IS_SUB_FOLDER=1\r$' "$WORK/app/Setting.ini" || fail "the first copy did not save"
echo "PASS"
