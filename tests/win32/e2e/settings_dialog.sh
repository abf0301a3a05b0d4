#!/usr/bin/env bash
# The detailed settings dialog edits the record and the program saves it at exit: the
# time-out box takes digits only (of "a5x" typed, the 5), OK stores it, and Setting.ini
# then says 5. The box is reached with Tab, OK with Tab and Enter on it.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" \
  "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30"

start_app
app=$LAST_PID
main_window=$(wait_window '^KDX$' "" 30) || fail "no main window"
keys_to "$main_window" alt+o p || fail "the menu cannot be reached"
dialog=$(wait_window '^詳細設定$' "" 20) || fail "詳細設定 does not open"
sleep 0.5
# From the first box: the three filters, the three outputs, the short form and the
# time-out box (the disabled clipboard form is passed over), then the time-out number.
keys_to "$dialog" Tab Tab Tab Tab Tab Tab Tab Tab Tab
keys_to "$dialog" a 5 x
sleep 0.3
shot settings_typed
# Four boxes after output, the ask-every-time box, the folder, "参照...", then OK.
keys_to "$dialog" Tab Tab Tab Tab Tab Tab Tab Tab Return
wait_gone "$dialog" 20 || fail "Enter on OK does not close 詳細設定"

keys_to "$main_window" alt+m x
wait_exit "$app" 30
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS"
grep -qx $'IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=5\r' "$WORK/app/Setting.ini" ||
  fail "the typed time-out was not stored: $(cat -A "$WORK/app/Setting.ini")"
echo "PASS"
