#!/usr/bin/env bash
# Drops, as a file manager makes them (a real X11 drag arriving as WM_DROPFILES): a
# folder whose own name code page 932 cannot hold ("〜" U+301C) is read by its wide
# name; the summary box 出力完了 says what was written; the clipboard holds the text form
# or the table form byte for byte in code page 932, "?" for the character it has no form
# for. A folder whose path is longer than 260 characters is read. A dropped Windows folder
# is refused.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
folder="$WORK/wave〜dash"
mkdir -p "$folder/sub"
printf 'i' >"$folder/inner.txt"
printf 'd' >"$folder/sub/deep.txt"
root="$(winpath "$WORK")\\wave?dash"

# Drops the folder onto a fresh copy with clipboard form $1 and checks the box and the
# clipboard's bytes against file $2. The copy ($app, window $main) stays open after form 1.
drop_and_check() {
  local mode=$1 expected=$2 box shown
  make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" \
    "IS_FOLDER_LIST_OUTPUT_CSV=0" "IS_FOLDER_LIST_OUTPUT_TXT=0" \
    "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=1" "IS_FOLDER_LIST_OUTPUTCBMODE=$mode" \
    "IS_FOLDER_LIST_OUTPUTMSG=1" "IS_FOLDER_LIST_OUTPUTLOCATE=0"
  start_app
  app=$LAST_PID
  main=$(wait_window '^KDX$' "" 30) || fail "no main window"
  drop_on "$main" "$folder" || fail "the drop was not taken ($?)"
  box=$(wait_window '^出力完了$' "" 30) || fail "no summary after the drop"
  shown=$(wait_probe 出力完了 20) || fail "the summary cannot be probed"
  grep -q '^Static .* フォルダ構成出力完了$' <<<"$shown" && grep -qx 'クリップボード出力成功' <<<"$shown" ||
    fail "summary: $shown"
  shot "summary_mode_$mode"
  clipboard_to "$WORK/clipboard.bin" || fail "nothing on the clipboard"
  cmp "$expected" "$WORK/clipboard.bin" || fail "clipboard, form $mode: $(od -c "$WORK/clipboard.bin")"
  keys_to "$box" Return
  wait_gone "$box" 20 || fail "OK does not close the summary"
  [[ $mode == 1 ]] || { keys_to "$main" alt+m x; wait_exit "$app" 30; }
}

{
  printf '\r\n'
  printf '    %s\r\n' "$root" | iconv -f UTF-8 -t CP932
  printf '        |\r\n        |--------inner.txt\r\n'
  printf '        |\r\n        |--------\\sub\r\n'
  printf '        |            |\r\n        |            |--------deep.txt\r\n'
} >"$WORK/text.bin"
drop_and_check 0 "$WORK/text.bin"

# The table form: one column per level, separated by tabs, for a spreadsheet.
printf '%s\r\n' "$root" $'\tinner.txt' $'\tsub' $'\t\tdeep.txt' | iconv -f UTF-8 -t CP932 \
  >"$WORK/table.bin"
drop_and_check 1 "$WORK/table.bin"

# A folder whose path is longer than 260 characters, dropped on the same window.
long="$WORK"
for part in 1 2 3 4 5 6; do long+="/folder${part}_abcdefghijklmnopqrstuvwxyz0123456789"; done
mkdir -p "$long"
printf 'f' >"$long/f.txt"
(($(winpath "$long" | wc -c) > 260)) || fail "the long path is not long: $(winpath "$long")"
drop_on "$main" "$long" || fail "the drop was not taken"
box=$(wait_window '^出力完了$' "" 30) || fail "no summary after the long drop"
printf '%s\r\n' "$(winpath "$long")" $'\tf.txt' >"$WORK/long.bin"
clipboard_to "$WORK/clipboard.bin" || fail "nothing on the clipboard"
cmp "$WORK/long.bin" "$WORK/clipboard.bin" || fail "clipboard, long path: $(od -c "$WORK/clipboard.bin")"
keys_to "$box" Return
wait_gone "$box" 20 || fail "OK does not close the summary"

# The Windows folder, dropped from its place on this machine.
drop_on "$main" "$2/prefix/drive_c/windows" || fail "the drop was not taken"
box=$(wait_window '^処理終了$' "" 30) || fail "a dropped Windows folder was not refused"
shown=$(wait_probe 処理終了 20) || fail "the box cannot be probed"
grep -q 'WindowsDirectoryは取得しない設定になっています。$' <<<"$shown" || fail "refusal: $shown"
keys_to "$box" Return
wait_gone "$box" 20 || fail "OK does not close the box"
keys_to "$main" alt+m x
wait_exit "$app" 30
echo "PASS"
