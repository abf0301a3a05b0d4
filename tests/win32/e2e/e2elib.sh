# Shared by the end-to-end tests of KDX.exe under Wine: a private copy of the program
# with a Setting.ini of the test's own, the prefix's private X server (made by the
# fixture, see ../wine-server.sh), bounded waits, and clean-up of what was started.
# Source it with the built program and the build's Wine folder: e2elib.sh KDX.exe WINE_DIR.
set -euo pipefail

KDX_BUILT=$1
source "$(dirname "${BASH_SOURCE[0]}")/../wine-env.sh" "$2"
[[ -s $2/display ]] || { echo "FAIL: the prefix has no display" >&2; exit 1; }
export DISPLAY=$(cat "$2/display")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kdx-w32e2e-XXXXXX")
PIDS=()

cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The Windows form of a path of this machine (drive Z: is the root).
winpath() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# Copies the program into $WORK/app with a Setting.ini made of the given lines.
make_app() {
  mkdir -p "$WORK/app"
  cp "$KDX_BUILT" "$WORK/app/KDX.exe"
  printf '%s\r\n' "[SETTING]" "$@" >"$WORK/app/Setting.ini"
}

# Starts the copy under Wine in the background; its pid is left in LAST_PID.
start_app() {
  env "${wine_env[@]}" wine "$WORK/app/KDX.exe" "$@" </dev/null >>"$WORK/app.log" 2>&1 &
  LAST_PID=$!
  PIDS+=("$LAST_PID")
}

# Waits up to $2 seconds for process $1 to end; its exit status is left in LAST_STATUS.
wait_exit() {
  local pid=$1 limit=$2 waited=0
  while kill -0 "$pid" 2>/dev/null; do
    if [[ $(ps -o stat= -p "$pid" 2>/dev/null) == Z* ]]; then break; fi
    sleep 0.1
    waited=$((waited + 1))
    ((waited < limit * 10)) || fail "process $pid still runs after ${limit}s"
  done
  LAST_STATUS=0
  wait "$pid" || LAST_STATUS=$?
}

# The visible windows whose name matches $1, one a line.
windows_named() {
  xdotool search --all --onlyvisible --name "$1" 2>/dev/null || true
}

# Waits up to $3 seconds for a visible window named $1 that is not among $2 (a list of
# ids); prints its id.
wait_window() {
  local name=$1 known=$2 limit=$3 waited=0 id
  for ((waited = 0; waited < limit * 10; waited++)); do
    for id in $(windows_named "$name"); do
      grep -qx "$id" <<<"$known" || { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds until window $1 is no longer visible.
wait_gone() {
  local id=$1 limit=$2 waited
  for ((waited = 0; waited < limit * 10; waited++)); do
    windows_named '.' | grep -qx "$id" || return 0
    sleep 0.1
  done
  return 1
}

# Sends keys to window $1 (without a window manager the focus is set directly).
keys_to() {
  local id=$1
  shift
  timeout 10 xdotool windowfocus --sync "$id" key --delay 100 "$@"
}

# A screenshot of the whole screen into $KDX_SHOTS/$1.png, when KDX_SHOTS is set.
shot() {
  [[ -n ${KDX_SHOTS:-} ]] || return 0
  mkdir -p "$KDX_SHOTS"
  import -window root "$KDX_SHOTS/$1.png"
}

# The text in code page 932, as the program writes it.
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# What window $1 shows (see windowprobe.cpp): its client size, then each control, one a
# line ("Static 8 8 177 33 text"); fails when there is no such window.
probe() {
  rm -f "$WORK/probe.txt"
  env "${wine_env[@]}" wine "$KDX_PROBE" "$(winpath "$WORK/probe.txt")" "$1" \
    </dev/null >>"$WORK/probe.log" 2>&1 || return 1
  cat "$WORK/probe.txt"
}

# The clipboard's CF_TEXT bytes into file $1.
clipboard_to() {
  env "${wine_env[@]}" wine "$KDX_PROBE" "$(winpath "$1")" --clipboard </dev/null \
    >>"$WORK/probe.log" 2>&1
}

# Waits up to $2 seconds for a box or window titled $1 and prints what it shows.
wait_probe() {
  local title=$1 limit=$2 waited
  for ((waited = 0; waited < limit * 2; waited++)); do
    probe "$title" && return 0
    sleep 0.5
  done
  return 1
}

# Drags the files or folders $2... onto window $1 and drops them there, as a file manager
# does (a real X11 drag: XDND with text/uri-list).
drop_on() {
  local window=$1 uris="" path
  shift
  if [[ ! -x $WORK/xdnddrop ]]; then
    cc -O1 -o "$WORK/xdnddrop" "$(dirname "${BASH_SOURCE[0]}")/xdnddrop.c" -lX11 ||
      fail "cannot build the drag helper"
  fi
  for path in "$@"; do
    uris+="file://$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$path")"$'\r\n'
  done
  eval "$(xdotool getwindowgeometry --shell "$window")"
  timeout 20 "$WORK/xdnddrop" "$window" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) "$uris"
}

# The screen's DPI for programs started from now on (Wine's LogPixels).
set_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    env "${wine_env[@]}" wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f \
      </dev/null >>"$WORK/reg.log" 2>&1 || fail "cannot set LogPixels: $(cat "$WORK/reg.log")"
  done
}
