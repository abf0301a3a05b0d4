#!/usr/bin/env bash
# A folder named on the command line is read at once, the output files are written
# and the program ends by itself; Setting.ini then holds the seventeen keys.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
make_target
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=0" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0030"

start_app "$WORK/target"
wait_exit "$LAST_PID" 30
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"

csv=$(ls "$WORK"/out/KDX_*.csv 2>/dev/null | head -n1)
txt=$(ls "$WORK"/out/KDX_*.txt 2>/dev/null | head -n1)
[[ -n $csv && -n $txt ]] || fail "no output files: $(ls -la "$WORK/out" 2>&1)"
[[ $(basename "$csv") =~ ^KDX_[0-9]{14}\.csv$ ]] || fail "file name $csv"
grep -q 'a\.txt' "$csv" || fail "the CSV file lacks a.txt"
grep -q 'a\.txt' "$txt" || fail "the text file lacks a.txt"

expected=(
  "IS_SUB_FOLDER=1" "IS_WIN_FOLDER=0" "IS_HIDE_FILE=0" "IS_READ_ONLY_FILE=0"
  "IS_FOLDER_LIST_OUTPUT_CSV=1" "IS_FOLDER_LIST_OUTPUT_TXT=1"
  "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT=0" "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out"
  "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0" "IS_FOLDER_LIST_OUTPUT_TXT_SHT=0"
  "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0" "IS_FOLDER_LIST_OUTPUTCSVFILE=0"
  "IS_FOLDER_LIST__OUTPUTTXTFILE=0" "IS_FOLDER_LIST_OUTPUTCBMODE=0"
  "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30"
)
settings=$WORK/app/Setting.ini
for line in "${expected[@]}"; do
  [[ $(grep -cxF "$line"$'\r' "$settings") == 1 ]] || fail "Setting.ini lacks '$line': $(cat -A "$settings")"
done
[[ $(grep -c '=' "$settings") == 17 ]] || fail "Setting.ini has other keys: $(cat -A "$settings")"
echo "PASS"
