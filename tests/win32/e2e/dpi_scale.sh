#!/usr/bin/env bash
# Sharp on a scaled screen: at 144 DPI (150 %) the main window's client area, its label
# and the label's text are 1.5 times their 96-DPI sizes (191 x 52 becomes 287 x 78), and
# the detailed settings dialog grows with them; at 96 DPI every size is as designed.
# Screenshots of both (KDX_SHOTS).
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/out")"
restore_dpi() {
  set_dpi 96
  cleanup
}
trap restore_dpi EXIT

# Opens the program at DPI $1 and checks the main window's client area ($2 x $3) and its
# label's place and size ($4), then the detailed dialog's client area ($5 x $6).
check_at() {
  local dpi=$1 width=$2 height=$3 label=$4 dialogWidth=$5 dialogHeight=$6 app main shown dialog
  set_dpi "$dpi"
  start_app
  app=$LAST_PID
  main=$(wait_window '^KDX$' "" 30) || fail "no main window at $dpi DPI"
  shown=$(wait_probe KDX 20) || fail "the main window cannot be probed at $dpi DPI"
  grep -qx "client $width $height" <<<"$shown" || fail "client area at $dpi DPI: $shown"
  grep -q "^Static $label ここに任意のフォルダをドラッグ＆ドロップしてください\$" <<<"$shown" ||
    fail "label at $dpi DPI: $shown"
  sleep 0.5
  shot "main_window_${dpi}dpi"
  keys_to "$main" alt+o p || fail "the menu cannot be reached"
  dialog=$(wait_window '^詳細設定$' "" 20) || fail "詳細設定 does not open at $dpi DPI"
  shown=$(wait_probe 詳細設定 20) || fail "the dialog cannot be probed"
  grep -qx "client $dialogWidth $dialogHeight" <<<"$shown" || fail "dialog at $dpi DPI: $shown"
  sleep 0.5
  shot "settings_dialog_${dpi}dpi"
  keys_to "$dialog" alt+F4
  wait_gone "$dialog" 20 || fail "the dialog does not close"
  keys_to "$main" alt+m x
  wait_exit "$app" 30
}

check_at 144 287 78 "12 12 266 50" 798 680
check_at 96 191 52 "8 8 177 33" 532 453
echo "PASS"
