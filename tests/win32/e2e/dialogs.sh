#!/usr/bin/env bash
# The dialogs open from the menu with their captions: 設定(&O) 簡単設定(&E) and
# 詳細設定(&P), 情報(&H) ﾊﾞｰｼﾞｮﾝ情報(&V). In the settings dialogs Esc, and Enter off a
# button, close nothing; the close box (Alt+F4) cancels. The about box closes with Enter
# on its OK button.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")"

start_app
app=$LAST_PID
main_window=$(wait_window '^KDX$' "" 30) || fail "no main window"
shot main_window

# Opens a settings dialog with the keys $3... and checks its key rules; $1 is its caption,
# $2 the keys that close it.
check_settings_dialog() {
  local caption=$1 closing=$2 dialog
  shift 2
  keys_to "$main_window" "$@" || fail "the menu cannot be reached"
  dialog=$(wait_window "^$caption\$" "" 20) || fail "$caption does not open"
  sleep 0.5
  shot "$caption"
  keys_to "$dialog" Escape Return
  sleep 0.5
  windows_named "^$caption\$" | grep -qx "$dialog" || fail "Esc or Enter closed $caption"
  keys_to "$dialog" $closing
  wait_gone "$dialog" 20 || fail "$closing does not close $caption"
}
# Back from the first box to Cancel, and Enter on it; the close box.
check_settings_dialog "簡単設定" "shift+Tab Return" alt+o e
check_settings_dialog "詳細設定" alt+F4 alt+o p

keys_to "$main_window" alt+h v || fail "the menu cannot be reached"
about=$(wait_window '^バージョン情報$' "" 20) || fail "バージョン情報 does not open"
sleep 0.5
shot about
keys_to "$about" Return
wait_gone "$about" 20 || fail "OK does not close the about box"

# メイン(&M) ﾌｫﾙﾀﾞ構成読込(&R): the shell's folder dialog, opened at the system drive;
# Esc cancels it and nothing is read; its title is the program's.
keys_to "$main_window" alt+m r || fail "the menu cannot be reached"
browse=$(wait_window '.' "$main_window" 20) || fail "no folder dialog"
sleep 1
shot folder_dialog
# Its title above the tree is the program's.
shown=$(wait_probe "$(xdotool getwindowname "$browse")" 10) || fail "the folder dialog cannot be probed"
grep -q ' 構成を取得するフォルダを指定して下さい。$' <<<"$shown" || fail "folder dialog: $shown"
kill -0 "$app" 2>/dev/null || fail "the folder dialog brought the program down"
keys_to "$browse" Escape
wait_gone "$browse" 20 || fail "Esc does not cancel the folder dialog"
[[ ! -e $WORK/out ]] || fail "a cancelled folder dialog started a read"

keys_to "$main_window" alt+m x
wait_exit "$app" 30
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS"
echo "PASS"
