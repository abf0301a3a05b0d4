#!/usr/bin/env bash
# After a read the results are opened with ShellExecuteA "open", as the settings ask:
# the output folder (出力後に出力先（場所）を表示する), then the CSV file, then the text
# file, each by its own path. A recorder stands in for the programs that open them: it is
# the handler of .txt, .csv (txtfile) and folders in the prefix while this test runs.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
reg() { env "${wine_env[@]}" wine reg "$@" </dev/null >>"$WORK/reg.log" 2>&1; }
command="\"$(winpath "$KDX_RECORDER")\" \"$(winpath "$WORK/opened.txt")\" \"%1\""
restore_handlers() {
  reg add 'HKCR\txtfile\shell\open\command' /ve /d '"C:\windows\system32\notepad.exe" "%1"' /f
  reg delete 'HKCR\Folder\shell\open\command' /f
  reg add 'HKCR\Folder\shell\open\ddeexec' /ve /d '[ViewFolder(%l, %I, %S)]' /f
  reg add 'HKCR\Folder\shell\open\ddeexec' /v NoActivateHandler /d '' /f
  reg add 'HKCR\Folder\shell\open\ddeexec\application' /ve /d 'Folders' /f
  cleanup
}
trap restore_handlers EXIT
reg add 'HKCR\txtfile\shell\open\command' /ve /d "$command" /f || fail "$(cat "$WORK/reg.log")"
reg delete 'HKCR\Folder\shell\open\ddeexec' /f || true
reg add 'HKCR\Folder\shell\open\command' /ve /d "$command" /f || fail "$(cat "$WORK/reg.log")"

mkdir -p "$WORK/target/表"
printf 'a' >"$WORK/target/表/a.txt"
out="$WORK/out"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$out")" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTLOCATE=1" "IS_FOLDER_LIST_OUTPUTCSVFILE=1" "IS_FOLDER_LIST__OUTPUTTXTFILE=1"
start_app "$(winpath "$WORK/target")"
wait_exit "$LAST_PID" 60
csv=$(ls "$out"/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no output: $(cat "$WORK/app.log")"
for ((waited = 0; waited < 100; waited++)); do
  [[ -f $WORK/opened.txt && $(wc -l <"$WORK/opened.txt") -ge 3 ]] && break
  sleep 0.1
done
expected="$(winpath "$out")"$'\n'"$(winpath "$csv")"$'\n'"$(winpath "${csv%.csv}.txt")"
# Each handler runs on its own: the order they end in is not the order they were opened.
[[ $(sort "$WORK/opened.txt") == "$(sort <<<"$expected")" ]] ||
  fail "opened: $(cat "$WORK/opened.txt" 2>&1), expected: $expected"
echo "PASS"
