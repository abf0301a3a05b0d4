#!/usr/bin/env bash
# The detailed dialog's hints show where the pointer rests: on a check box, and on the
# clipboard form's radio buttons, whose group box lets the mouse through to what lies
# under it (the hint sat on the box alone and never showed).
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" \
  "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=1"

start_app
app=$LAST_PID
main=$(wait_window '^KDX$' "" 30) || fail "no main window"
keys_to "$main" alt+o p || fail "the menu cannot be reached"
dialog=$(wait_window '^詳細設定$' "" 20) || fail "詳細設定 does not open"
shown=$(wait_probe 詳細設定 20) || fail "the dialog cannot be probed"
read -r _ left top <<<"$(grep '^origin ' <<<"$shown")"

# Rests the pointer on the control whose text is $1 and waits for a hint beside it, which
# goes once the pointer leaves; screenshot hint_over_$2.
hint_over() {
  local line x y w h tip waited
  line=$(grep -m1 "^Button [0-9 -]* $1\$" <<<"$shown") || fail "no control $1: $shown"
  read -r _ x y w h _ <<<"$line"
  # Onto the control, then a small move inside it, as a hand makes; then it rests there.
  xdotool mousemove $((left + x + w / 2)) $((top + y + h / 2))
  sleep 0.2
  xdotool mousemove_relative 1 0
  for ((waited = 0; waited < 40; waited++)); do
    tip=$(probe --tooltip) && break
    sleep 0.25
  done
  [[ -n $tip ]] || fail "no hint over $1"
  echo "$tip"
  shot "hint_over_$2"
  xdotool mousemove 0 0
  for ((waited = 0; waited < 40; waited++)); do
    probe --tooltip >/dev/null || return 0
    sleep 0.25
  done
  fail "the hint over $1 stays"
}

hint_over 'CSV出力後にそのまま開く' check_box >/dev/null
tip=$(hint_over '表形式' radio)
grep -q 'Clipboard出力形式を選択します。表は表計算ソフトに貼り付ける場合に選択してください$' <<<"$tip" ||
  fail "the radio button's hint: $tip"
keys_to "$dialog" alt+F4
wait_gone "$dialog" 20 || fail "the dialog does not close"
keys_to "$main" alt+m x
wait_exit "$app" 30
echo "PASS"
