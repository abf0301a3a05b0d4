#!/usr/bin/env bash
# A folder named on the command line is read at once: the CSV and text files come out in
# code page 932 byte for byte (backslashes, the "\" mark of a folder, CR LF), names with a
# 0x5C trail byte ("表", "ソ") included; the program ends by itself and Setting.ini then
# holds the seventeen keys.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
mkdir -p "$WORK/target/表/ソ" "$WORK/target/空"
printf 'x' >"$WORK/target/表/a.txt"
printf 'y' >"$WORK/target/b.txt"
printf 'z' >"$WORK/target/表/ソ/能.csv"
out=$(winpath "$WORK/out")
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$out" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=0" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0030"

root=$(winpath "$WORK/target")
start_app "$root"
wait_exit "$LAST_PID" 60
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"

csv=$(ls "$WORK"/out/KDX_*.csv 2>/dev/null | head -n1)
txt=$(ls "$WORK"/out/KDX_*.txt 2>/dev/null | head -n1)
[[ -n $csv && -n $txt ]] || fail "no output files: $(ls -la "$WORK/out" 2>&1)"
[[ $(basename "$csv") =~ ^KDX_[0-9]{14}\.csv$ ]] || fail "file name $csv"
[[ ${csv%.csv} == "${txt%.txt}" ]] || fail "the two files differ in name: $csv $txt"

# The folder's items as the file system lists them: b.txt, 空, 表 (a.txt, ソ (能.csv)).
cp932 "$root"$'\r\n'",b.txt"$'\r\n'",空"$'\r\n'",表"$'\r\n'",,a.txt"$'\r\n'",,ソ"$'\r\n'",,,能.csv"$'\r\n' \
  >"$WORK/expected.csv"
{
  printf '\r\n'
  cp932 "    $root"$'\r\n'
  printf '        |\r\n        |--------b.txt\r\n'
  cp932 $'        |\r\n        |--------\\空\r\n'
  cp932 $'        |\r\n        |--------\\表\r\n'
  printf '        |            |\r\n        |            |--------a.txt\r\n'
  cp932 $'        |            |\r\n        |            |--------\\ソ\r\n'
  cp932 $'        |            |            |\r\n        |            |            |--------能.csv\r\n'
} >"$WORK/expected.txt"
cmp "$WORK/expected.csv" "$csv" || fail "CSV file: $(od -c "$csv" | head -20)"
cmp "$WORK/expected.txt" "$txt" || fail "text file: $(od -c "$txt" | head -30)"

expected=(
  "IS_SUB_FOLDER=1" "IS_WIN_FOLDER=0" "IS_HIDE_FILE=0" "IS_READ_ONLY_FILE=0"
  "IS_FOLDER_LIST_OUTPUT_CSV=1" "IS_FOLDER_LIST_OUTPUT_TXT=1"
  "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT=0" "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$out"
  "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0" "IS_FOLDER_LIST_OUTPUT_TXT_SHT=0"
  "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0" "IS_FOLDER_LIST_OUTPUTCSVFILE=0"
  "IS_FOLDER_LIST__OUTPUTTXTFILE=0" "IS_FOLDER_LIST_OUTPUTCBMODE=0"
  "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30"
)
# Keys already in the file keep their place; the others follow.
settings=$WORK/app/Setting.ini
for line in "${expected[@]}"; do
  [[ $(grep -cxF "$line"$'\r' "$settings") == 1 ]] || fail "Setting.ini lacks '$line': $(cat -A "$settings")"
done
[[ $(grep -c '=' "$settings") == 17 ]] || fail "Setting.ini has other keys: $(cat -A "$settings")"
echo "PASS"
