#!/usr/bin/env bash
# The Windows walk under Wine, on a local tree and on the simulated share, beside a plain
# one-thread FindFirstFileExW walk of the same tree (see the README):
#   bash bench/win32/winbench.sh [--runs N] [--share-ms MS] [--before EXE]
# --before times a kdx_winbench.exe of another build beside this one. Needs the Windows
# build (scripts/build-windows.sh) and FUSE. Prints the median of the runs of each row.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=3
share_ms=2
before=
while (($#)); do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --share-ms) share_ms=$2; shift 2 ;;
    --before) before=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
exe=$root/build-windows/bin/kdx_winbench.exe
[[ -f $exe ]] || { echo "build the Windows side first: bash scripts/build-windows.sh" >&2; exit 2; }
wine_dir=$root/build-windows/wine
source "$root/tests/win32/wine-env.sh" "$wine_dir"
work=$(mktemp -d /tmp/kdx-winbench.XXXXXX)
mnt=$work/share
cleanup() {
  fusermount3 -u "$mnt" 2>/dev/null || true
  bash "$root/tests/win32/wine-server.sh" stop "$wine_dir" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The share, built here from its one source.
g++ -O2 -std=c++20 -o "$work/kdx_share" "$root/bench/share/kdxshare.cpp" \
  $(pkg-config --cflags --libs fuse3)

# A tree of 20,220 entries: 2,220 folders three deep, 9 files in each of the deepest.
tree=$work/tree
for a in $(seq -w 1 20); do
  for b in $(seq -w 1 10); do
    for c in $(seq -w 1 10); do
      mkdir -p "$tree/dir$a/sub$b/leaf$c"
      (cd "$tree/dir$a/sub$b/leaf$c" && touch f1.txt f2.txt f3.txt f4.txt f5.txt f6.txt \
        f7.txt f8.txt f9.txt)
    done
  done
done
mkdir -p "$mnt"

bash "$root/tests/win32/wine-server.sh" stop "$wine_dir" >/dev/null 2>&1 || true
bash "$root/tests/win32/wine-server.sh" start "$wine_dir" >/dev/null 2>&1

# One timed run: PROGRAM MODE FOLDER -> milliseconds
run() {
  local out
  out=$(env "${wine_env[@]}" wine "$1" "$2" "Z:${3//\//\\}" </dev/null 2>/dev/null | tr -d '\r')
  echo "$out" | awk '{print $2}'
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

rows=("peer:$exe" "alone:$exe" "walk:$exe")
[[ -n $before ]] && rows+=("alone:$before" "walk:$before")
printf '%-28s %10s %10s\n' "row" "local ms" "share ms"
for row in "${rows[@]}"; do
  mode=${row%%:*}
  program=${row#*:}
  label="$mode $( [[ $program == "$exe" ]] && echo now || echo before)"
  local_times=() share_times=()
  for ((i = 0; i < runs; i++)); do
    local_times+=("$(run "$program" "$mode" "$tree")")
    if ((share_ms > 0)); then
      KDX_SHARE_OPENS=1 "$work/kdx_share" "$tree" "$mnt" $((share_ms * 1000))
      for ((w = 0; w < 100; w++)); do mountpoint -q "$mnt" && break; sleep 0.05; done
      share_times+=("$(run "$program" "$mode" "$mnt")")
      fusermount3 -u "$mnt"
    fi
  done
  local_median=$(printf '%s\n' "${local_times[@]}" | median)
  share_median=-
  ((share_ms > 0)) && share_median=$(printf '%s\n' "${share_times[@]}" | median)
  printf '%-28s %10s %10s\n' "$label" "$local_median" "$share_median"
done
