#!/usr/bin/env bash
# A copy in a folder whose name is no valid UTF-8 (Shift-JIS bytes, as copied from
# Windows) keeps Setting.ini and FolderListOutput in that very folder.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
make_target
app=$WORK/$'\x83\x5c\x83\x74\x83\x67'
mkdir -p "$app"
cp "$KDX_BUILT" "$app/KDX"
printf '%s\r\n' "[SETTING]" "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0" \
  >"$app/Setting.ini"

"$app/KDX" "$WORK/target" >>"$WORK/app.log" 2>&1 &
LAST_PID=$!
PIDS+=("$LAST_PID")
wait_exit "$LAST_PID" 30
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"

csv=$(ls "$app"/FolderListOutput/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no output in the folder beside the program: $(ls -laR "$WORK" 2>&1)"
grep -q 'a\.txt' "$csv" || fail "the CSV file lacks a.txt"
grep -qxF "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$app/FolderListOutput"$'\r' "$app/Setting.ini" ||
  fail "Setting.ini beside the program lacks the default folder: $(cat -A "$app/Setting.ini")"
[[ ! -e /Setting.ini && ! -e /FolderListOutput ]] || fail "files were made in /"
echo "PASS"
