# Shared by the end-to-end tests: a private X server, a private copy of the program
# with its own Setting.ini, bounded waits, and clean-up of everything started here.
# Source it with the built program's path as $1.
set -euo pipefail

KDX_BUILT=$1
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kdx-e2e-XXXXXX")
PIDS=()
XVFB_PID=

cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  # A mount inside $WORK goes before $WORK does.
  unmount_dead_share || true
  [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null || true
  [[ -n $XVFB_PID ]] && wait "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a display it picks itself and exports DISPLAY.
start_x() {
  local fifo=$WORK/display
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  local waited=0
  until [[ -s $fifo ]]; do
    sleep 0.1
    waited=$((waited + 1))
    ((waited < 100)) || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  done
  export DISPLAY=":$(head -n1 "$fifo")"
  unset QT_QPA_PLATFORM
  # Instances of the copies see each other only through this folder.
  export XDG_RUNTIME_DIR=$WORK/runtime
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
}

# The copy's file name; a test may give it an extension.
KDX_NAME=KDX

# Copies the program into $WORK/app with a Setting.ini made of the given lines.
make_app() {
  mkdir -p "$WORK/app"
  cp "$KDX_BUILT" "$WORK/app/$KDX_NAME"
  printf '%s\r\n' "[SETTING]" "$@" >"$WORK/app/Setting.ini"
}

# Starts the copy in the background; its pid is left in LAST_PID.
start_app() {
  "$WORK/app/$KDX_NAME" "$@" >>"$WORK/app.log" 2>&1 &
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

# Skips the test (ctest counts exit status 77 as skipped) with a reason.
skip() {
  echo "SKIP: $*"
  exit 77
}

# The settings file holds all seventeen keys, as a save writes them, and these lines.
expect_saved() {
  local settings=$WORK/app/Setting.ini line
  [[ $(grep -c '=' "$settings") == 17 ]] || fail "Setting.ini was not saved: $(cat -A "$settings")"
  for line in "$@"; do
    grep -qxF "$line"$'\r' "$settings" || fail "Setting.ini lacks '$line': $(cat -A "$settings")"
  done
}

# Waits up to $3 seconds for a window of process $1 whose name matches $2.
find_window() {
  timeout "$3" xdotool search --all --sync --onlyvisible --pid "$1" --name "$2" | head -n1
}

# Waits up to $3 seconds until process $1 shows at least $2 visible windows: a menu
# that opens is a window of its own.
wait_windows() {
  local pid=$1 count=$2 waited=0
  until (($(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | wc -l) >= count)); do
    sleep 0.05
    waited=$((waited + 1))
    ((waited < $3 * 20)) || fail "process $pid shows fewer than $count windows after ${3}s"
  done
}

# A small tree to read.
make_target() {
  mkdir -p "$WORK/target/docs"
  printf 'x' >"$WORK/target/docs/a.txt"
  printf 'y' >"$WORK/target/b.txt"
}

# Mounts the file system that never answers (built from deadfs.cpp, its path given as
# $1) at $SHARE, or skips the test when it cannot be mounted here. The mount and the
# file system go with the test's clean-up.
SHARE=
FS_PID=
mount_dead_share() {
  local deadfs=$1
  [[ -n $deadfs && -x $deadfs ]] || skip "the dead file system was not built (libfuse3 missing)"
  [[ $(id -u) == 0 ]] || skip "mounting a FUSE file system needs root here"
  [[ -c /dev/fuse ]] || skip "/dev/fuse missing"
  command -v mountpoint >/dev/null || skip "mountpoint missing"
  SHARE=$WORK/share
  mkdir -p "$SHARE"
  "$deadfs" "$SHARE" -f >>"$WORK/deadfs.log" 2>&1 &
  FS_PID=$!
  local waited=0
  until mountpoint -q "$SHARE"; do
    kill -0 "$FS_PID" 2>/dev/null ||
      skip "the FUSE file system could not be mounted: $(cat "$WORK/deadfs.log")"
    sleep 0.1
    waited=$((waited + 1))
    ((waited < 50)) || skip "the FUSE file system could not be mounted: $(cat "$WORK/deadfs.log")"
  done
}

unmount_dead_share() {
  if [[ -n $FS_PID ]]; then
    kill -9 "$FS_PID" 2>/dev/null || true
    wait "$FS_PID" 2>/dev/null || true
  fi
  [[ -z $SHARE ]] || umount -l "$SHARE" 2>/dev/null || true
}
