#!/usr/bin/env bash
# The windows' frames under a real window manager (openbox): the main window can be
# neither maximised nor resized, whatever its frame offers; the settings dialogs keep
# their fixed size; the about box has an ordinary, resizable frame.
source "$(dirname "$0")/e2elib.sh" "$1"
start_x
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)
waited=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  sleep 0.1
  waited=$((waited + 1))
  ((waited < 100)) || fail "openbox did not start: $(cat "$WORK/openbox.log")"
done
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTTIMEOUT=0"
start_app
app=$LAST_PID

geometry() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS; }
has_state() { xprop -id "$1" _NET_WM_STATE | grep -q "$2"; }
# Waits until window $1's state $2 (a _NET_WM_STATE_ name) is "on" or "off" ($3).
wait_state() {
  local waited=0
  until { [[ $3 == on ]] && has_state "$1" "$2"; } || { [[ $3 == off ]] && ! has_state "$1" "$2"; }; do
    sleep 0.05
    waited=$((waited + 1))
    ((waited < 200)) || fail "window $1: $2 not $3 after 10s: $(xprop -id "$1" _NET_WM_STATE)"
  done
}
# Returns once the window manager has handled every request about window $1 made so far:
# it handles them in the order they came (each tool here syncs with the X server before
# it ends), so once it has set a harmless state asked for after them, and taken it off
# again, it has answered them too.
wm_round_trip() {
  wmctrl -i -r "$1" -b add,above
  wait_state "$1" _NET_WM_STATE_ABOVE on
  wmctrl -i -r "$1" -b remove,above
  wait_state "$1" _NET_WM_STATE_ABOVE off
}
# Asks the window manager to maximise window $1, then to resize it, as its frame's
# maximise button and its edges would, and waits until it has answered both.
try_to_grow() {
  wmctrl -i -r "$1" -b add,maximized_vert,maximized_horz
  xdotool windowsize "$1" 700 600
  wm_round_trip "$1"
}
# Waits for a visible window of the program named $1 (a regular expression).
window_named() {
  local id
  id=$(find_window "$app" "$1" 20) || true
  [[ -n $id ]] || fail "no window '$1': $(cat "$WORK/app.log")"
  echo "$id"
}

main=$(window_named '^KDX$')
before=$(geometry "$main")
allowed=$(actions "$main")
[[ $allowed != *MAXIMIZE* && $allowed != *RESIZE* ]] ||
  fail "the main window's frame may maximise or resize it: $allowed"
[[ $allowed == *MINIMIZE* && $allowed == *CLOSE* ]] || fail "the main window's frame: $allowed"
try_to_grow "$main"
# Openbox still draws a maximise button on the main window's frame: clicking it does
# nothing either. It is the second button from the right of the title bar.
read -r left right top _ < <(xprop -id "$main" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
x=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left Y: *//p')
width=$(xwininfo -id "$main" | sed -n 's/.*Width: *//p')
xdotool mousemove $((x + width + right - 26)) $((y - top / 2)) click 1
wm_round_trip "$main"
[[ $(geometry "$main") == "$before" ]] ||
  fail "the main window grew from $before to $(geometry "$main")"
xprop -id "$main" _NET_WM_STATE | grep -q MAXIMIZED && fail "the main window is maximised"

# Each settings dialog from its menu item: its size stays, its frame offers no resize.
for keys in "alt+o e:簡単設定" "alt+o p:詳細設定"; do
  name=${keys#*:}
  xdotool windowactivate --sync "$main" key --clearmodifiers ${keys%%:*} 2>/dev/null || true
  dialog=$(window_named "^$name\$")
  before=$(geometry "$dialog")
  allowed=$(actions "$dialog")
  [[ $allowed != *MAXIMIZE* && $allowed != *RESIZE* ]] ||
    fail "$name's frame may maximise or resize it: $allowed"
  try_to_grow "$dialog"
  [[ $(geometry "$dialog") == "$before" ]] ||
    fail "$name grew from $before to $(geometry "$dialog")"
  wmctrl -i -c "$dialog"
  waited=0
  while xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable; do
    sleep 0.1
    waited=$((waited + 1))
    ((waited < 100)) || fail "$name did not close"
  done
done

# The about box: an ordinary frame the user may resize.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+h v 2>/dev/null || true
about=$(window_named '^バージョン情報$')
allowed=$(actions "$about")
[[ $allowed == *RESIZE* && $allowed == *CLOSE* ]] || fail "the about box's frame: $allowed"
wmctrl -i -c "$about"
wmctrl -i -c "$main"
wait_exit "$app" 20
echo "PASS"
