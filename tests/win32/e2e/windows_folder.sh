#!/usr/bin/env bash
# With IS_WIN_FOLDER off the Windows folder is refused and left out whatever the case of
# its path: "c:\windows\SYSTEM32" named on the command line is refused with the box
# 処理終了 "WindowsDirectoryは取得しない設定になっています。", and the program stays
# open; a read of C:\ lists "users" but not "windows" (reported as C:\windows by Wine,
# C:\WINDOWS by Windows). Without any output chosen, a read is refused with its own box.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"

make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" \
  "IS_FOLDER_LIST_OUTPUT_CSV=0" "IS_FOLDER_LIST_OUTPUT_TXT=0" "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0"
start_app 'C:\users'
app=$LAST_PID
box=$(wait_window '^処理終了$' "" 30) || fail "no refusal without outputs"
shown=$(wait_probe 処理終了 20) || fail "the box cannot be probed"
grep -q ' 出力先がありません。$' <<<"$shown" &&
  grep -qx '設定からCSV出力、テキスト出力、Clipboard出力の最低１つを選択後、操作をやり直してください。' <<<"$shown" ||
  fail "refusal without outputs: $shown"
keys_to "$box" Return
wait_gone "$box" 20 || fail "OK does not close the box"
main=$(wait_window '^KDX$' "" 10) || fail "the program did not stay open"
keys_to "$main" alt+m x
wait_exit "$app" 30
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" "IS_WIN_FOLDER=0" \
  "IS_SUB_FOLDER=0" "IS_FOLDER_LIST_OUTPUT_TXT=0" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=0"

for target in 'c:\windows\SYSTEM32' 'C:\WINDOWS'; do
  start_app "$target"
  app=$LAST_PID
  box=$(wait_window '^処理終了$' "" 30) || fail "no refusal for $target"
  shown=$(wait_probe 処理終了 20) || fail "the box cannot be probed"
  grep -q 'WindowsDirectoryは取得しない設定になっています。$' <<<"$shown" ||
    fail "refusal of $target: $shown"
  shot "windows_folder_refused"
  keys_to "$box" Return
  wait_gone "$box" 20 || fail "OK does not close the box"
  main=$(wait_window '^KDX$' "" 10) || fail "the program did not stay open"
  [[ ! -e $WORK/out ]] || fail "$target was read"
  keys_to "$main" alt+m x
  wait_exit "$app" 30
done

start_app 'C:\'
wait_exit "$LAST_PID" 60
csv=$(ls "$WORK"/out/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no CSV file for C:\\"
grep -qix $',users\r' "$csv" || fail "C:\\ read without users: $(cat -A "$csv")"
! grep -qi '^,windows' "$csv" || fail "the Windows folder was listed: $(cat -A "$csv")"
echo "PASS"
