#!/usr/bin/env bash
# Tries the Windows build under Wine here: run-windows.sh [FOLDER]. Builds dist/KDX.exe
# when it is missing, runs a copy of it in build-windows/try (its Setting.ini and
# FolderListOutput stay there) in the build's code page 932 prefix, and reads FOLDER (a
# path of this machine) at once when one is given. Without DISPLAY the windows go to a
# private Xvfb; a screenshot of it is left in build-windows/try/screen.png every second.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f dist/KDX.exe ]] || bash scripts/build-windows.sh
wine_dir=$PWD/build-windows/wine
bash tests/win32/wine-prefix.sh "$wine_dir"
source tests/win32/wine-env.sh "$wine_dir"
try=$PWD/build-windows/try
mkdir -p "$try"
cp dist/KDX.exe "$try/KDX.exe"

xvfb=
shooter=
cleanup() {
  [[ -n $shooter ]] && kill "$shooter" 2>/dev/null || true
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
if [[ -z ${DISPLAY:-} ]]; then
  rm -f "$try/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$try/display" 2>/dev/null &
  xvfb=$!
  for ((waited = 0; waited < 100; waited++)); do [[ -s $try/display ]] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$try/display")"
  while sleep 1; do import -window root "$try/screen.png" 2>/dev/null || true; done &
  shooter=$!
  echo "Windows on the private display $DISPLAY; screenshot: $try/screen.png"
fi

arguments=()
if (($# > 0)); then
  folder=$(cd "$1" 2>/dev/null && pwd || realpath -m "$1")
  arguments=("Z:${folder//\//\\}")
fi
env "${wine_env[@]}" wine "$try/KDX.exe" "${arguments[@]}"
env "${wine_env[@]}" wineserver -w
