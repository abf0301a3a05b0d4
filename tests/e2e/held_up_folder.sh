#!/usr/bin/env bash
# A folder on a file system that never answers (a share that went away): the time-out
# stops the read, the worker stays held up in the listing, and SIGTERM still ends the
# program within a few seconds, with the settings saved. Needs FUSE and root.
# (The file system gives up a request of a process being killed, as network shares do:
# the kernel lets no process end while one of its threads waits on a FUSE request that
# is never answered.)
source "$(dirname "$0")/e2elib.sh" "$1"
DEADFS=${2:-}
[[ -n $DEADFS && -x $DEADFS ]] || skip "the dead file system was not built (libfuse3 missing)"
[[ $(id -u) == 0 ]] || skip "mounting a FUSE file system needs root here"
[[ -c /dev/fuse ]] || skip "/dev/fuse missing"
command -v mountpoint >/dev/null || skip "mountpoint missing"

SHARE=$WORK/share
FS_PID=
test_cleanup() {
  if [[ -n $FS_PID ]]; then
    kill -9 "$FS_PID" 2>/dev/null || true
    wait "$FS_PID" 2>/dev/null || true
  fi
  umount -l "$SHARE" 2>/dev/null || true
}

mkdir -p "$SHARE"
"$DEADFS" "$SHARE" -f >>"$WORK/deadfs.log" 2>&1 &
FS_PID=$!
for _ in $(seq 50); do
  mountpoint -q "$SHARE" && break
  sleep 0.1
done
mountpoint -q "$SHARE" || skip "the FUSE file system could not be mounted: $(cat "$WORK/deadfs.log")"

start_x
make_app "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$WORK/out" "IS_FOLDER_LIST_OUTPUTMSG=0" \
  "IS_FOLDER_LIST_OUTPUTTIMEOUT=1" "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
start_app "$SHARE"
[[ -n $(find_window "$LAST_PID" '^KDX$' 30) ]] || fail "no main window"
# Past the time-out and the stop's wait: the read is stopped, its worker still held up.
sleep 4
kill -0 "$LAST_PID" 2>/dev/null || fail "the program ended before the signal: $(cat "$WORK/app.log")"
kill -TERM "$LAST_PID"
wait_exit "$LAST_PID" 20
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
expect_saved "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=1"
echo "PASS"
