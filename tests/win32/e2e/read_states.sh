#!/usr/bin/env bash
# A read of a slow share (a FUSE file system of 200 folders, each taking 300 ms to list):
# while it runs the window says "フォルダ構成の取得中...", another drop is refused with
# 現在取り込み中です。完了まで次の操作はお待ち下さい, and its settings menu is shut
# (Alt+O P opens nothing); Ctrl+S stops it, nothing is written, and the menu opens again.
# With a time-out of one second the read ends by itself with the box タイムアウト中断
# "タイムアウトにより出力を中断しました".
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
share="$WORK/share"
cc -O1 -o "$WORK/slowfs" "$(dirname "$0")/slowfs.c" $(pkg-config --cflags --libs fuse3) ||
  fail "cannot build the slow file system"
mkdir -p "$share"
"$WORK/slowfs" "$share" -f >>"$WORK/slowfs.log" 2>&1 &
fs=$!
unmount() {
  fusermount3 -u "$share" 2>/dev/null || kill "$fs" 2>/dev/null || true
  wait "$fs" 2>/dev/null || true
  cleanup
}
trap unmount EXIT
for ((waited = 0; waited < 50; waited++)); do
  mountpoint -q "$share" && break
  sleep 0.1
done
mountpoint -q "$share" || { echo "SKIP: no FUSE here: $(cat "$WORK/slowfs.log")"; exit 0; }

settings=("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")" "IS_FOLDER_LIST_OUTPUTMSG=1"
  "IS_FOLDER_LIST_OUTPUTLOCATE=0")

# Stopped by hand.
make_app "${settings[@]}"
start_app
app=$LAST_PID
main=$(wait_window '^KDX$' "" 30) || fail "no main window"
drop_on "$main" "$share" || fail "the drop was not taken"
for ((waited = 0; waited < 40; waited++)); do
  probe KDX | grep -q 'フォルダ構成の取得中' && break
  sleep 0.25
done
probe KDX | grep -q 'フォルダ構成の取得中' || fail "no read under way: $(probe KDX)"
shot reading
# Another drop waits for the read: the box says so, the read goes on.
mkdir -p "$WORK/small"
printf 's' >"$WORK/small/s.txt"
drop_on "$main" "$WORK/small" || fail "the drop was not taken"
busy=$(wait_window '^KDX$' "$main" 20) || fail "no box for a drop during the read"
shown=$(wait_probe KDX 20) || fail "the box cannot be probed"
grep -q ' 現在取り込み中です。完了まで次の操作はお待ち下さい$' <<<"$shown" || fail "busy box: $shown"
keys_to "$busy" Return
wait_gone "$busy" 20 || fail "OK does not close the box"
# The settings menu is shut during the read: these keys open nothing (Esc leaves the menu
# bar, and would not close the dialog, which would keep Ctrl+S from the window), and
# Ctrl+S, which comes after them, reaches the window and stops the read.
keys_to "$main" alt+o p Escape Escape ctrl+s
keys_to "$main" alt+o p
dialog=$(wait_window '^詳細設定$' "" 20) || fail "the settings menu did not come back after the stop"
[[ $(windows_named '^詳細設定$' | wc -l) == 1 ]] || fail "the settings opened during the read"
keys_to "$dialog" alt+F4
wait_gone "$dialog" 20 || fail "the dialog does not close"
[[ -z $(windows_named '^出力完了$') ]] || fail "a stopped read showed its summary"
# The window is idle: a folder dropped now is read (a read still under way would refuse
# it with 現在取り込み中です...), and the stopped read wrote nothing.
drop_on "$main" "$WORK/small" || fail "the drop was not taken"
box=$(wait_window '^出力完了$' "" 20) || fail "the read after the stop did not run"
keys_to "$box" Return
wait_gone "$box" 20 || fail "OK does not close the summary"
[[ $(ls "$WORK"/out/KDX_*.csv | wc -l) == 1 ]] || fail "outputs: $(ls "$WORK/out")"
head -n1 "$WORK"/out/KDX_*.csv | grep -q 'small' || fail "the stopped read wrote its output"
keys_to "$main" alt+m x
wait_exit "$app" 30

# Stopped by the time-out.
make_app "${settings[@]}" "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
start_app
app=$LAST_PID
main=$(wait_window '^KDX$' "" 30) || fail "no main window"
started=$(date +%s)
drop_on "$main" "$share" || fail "the drop was not taken"
box=$(wait_window '^タイムアウト中断$' "" 20) || fail "no time-out"
(($(date +%s) - started < 15)) || fail "the time-out came late"
shown=$(wait_probe タイムアウト中断 20) || fail "the box cannot be probed"
grep -q 'タイムアウトにより出力を中断しました$' <<<"$shown" || fail "time-out box: $shown"
shot timeout
keys_to "$box" Return
wait_gone "$box" 20 || fail "OK does not close the box"
[[ $(ls "$WORK"/out/KDX_*.csv | wc -l) == 1 ]] || fail "a timed-out read wrote $(ls "$WORK/out")"
keys_to "$main" alt+m x
wait_exit "$app" 30
echo "PASS"
