#!/usr/bin/env bash
# Every way in on the command line reads the folder meant: a file at a drive's root
# stands for that root ("K:\", not "K:", which names the drive's current folder); a bare
# file name for the current folder, also one with a Japanese name holding a 0x5C trail
# byte ("表"); a folder whose own name code page 932 cannot hold ("〜" U+301C) is read by
# its wide name, its path shown with "?" as the code page writes it.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
drive="$2/prefix/dosdevices/k:"
remove_drive() {
  rm -f "$drive"
  cleanup
}
trap remove_drive EXIT

# Runs the copy with argument $1 from the current folder and checks its CSV file against
# the lines $2... (UTF-8, turned into code page 932 here).
read_with() {
  local argument=$1 csv expected
  shift
  rm -rf "$WORK/out"
  start_app "$argument"
  wait_exit "$LAST_PID" 60
  [[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
  csv=$(ls "$WORK"/out/KDX_*.csv 2>/dev/null | head -n1)
  [[ -n $csv ]] || fail "no CSV file for $argument"
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$WORK/expected.csv"
  cmp "$WORK/expected.csv" "$csv" ||
    fail "CSV for $argument: $(iconv -f CP932 -t UTF-8 "$csv" | od -c | head -20)"
}

make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" \
  "IS_FOLDER_LIST_OUTPUT_TXT=0" "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0"

# A file at the root of drive K:.
mkdir -p "$WORK/drive/sub"
printf 'm' >"$WORK/drive/memo.txt"
printf 'x' >"$WORK/drive/sub/x.txt"
ln -s "$WORK/drive" "$drive"
read_with 'K:\memo.txt' 'K:\' ',memo.txt' ',sub' ',,x.txt'

# A bare file name, from a current folder with a Japanese name.
here="$WORK/日本語の表フォルダ"
mkdir -p "$here/ソ"
printf 'm' >"$here/memo.txt"
printf 'y' >"$here/ソ/y.txt"
(cd "$here" && read_with memo.txt "$(winpath "$here")" ',memo.txt' ',ソ' ',,y.txt')

# A folder whose own name has no form in code page 932.
mkdir -p "$WORK/wave〜dash/sub"
printf 'i' >"$WORK/wave〜dash/inner.txt"
printf 'd' >"$WORK/wave〜dash/sub/deep.txt"
read_with "$(winpath "$WORK/wave〜dash")" "$(winpath "$WORK")\\wave?dash" ',inner.txt' ',sub' \
  ',,deep.txt'
echo "PASS"
