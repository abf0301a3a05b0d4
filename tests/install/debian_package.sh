#!/usr/bin/env bash
# The Debian package built by CPack, installed with apt-get, run from /usr/bin on a
# folder named on its command line, and removed again. An installed copy keeps its
# settings in $XDG_CONFIG_HOME/KDX and writes to the documents folder.
# Needs root (it installs a package): otherwise it is skipped.
set -euo pipefail
build=$1
if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing the package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' kdx 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIP: a package kdx is installed already; it is left alone"
  exit 77
fi
source "$(dirname "$0")/../e2e/e2elib.sh" /usr/bin/KDX
remove_package() {
  dpkg-query -W kdx >/dev/null 2>&1 && apt-get remove -y -qq kdx >/dev/null 2>&1 || true
  cleanup
}
trap remove_package EXIT
apt_options=(-y -qq -o DPkg::Lock::Timeout=300)

(cd "$WORK" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$WORK/pkg" >"$WORK/cpack.log") ||
  fail "cpack: $(cat "$WORK/cpack.log")"
deb=$(ls "$WORK"/pkg/kdx_*.deb 2>/dev/null | head -n1)
[[ -n $deb ]] || fail "no kdx_*.deb: $(ls "$WORK/pkg")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic libqt6widgets6; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done

(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive apt-get install "${apt_options[@]}" \
  --no-install-recommends "./$(basename "$deb")") >"$WORK/apt.log" 2>&1 ||
  fail "apt-get install: $(cat "$WORK/apt.log")"
[[ -x /usr/bin/KDX && -f /usr/share/applications/org.kdx.KDX.desktop ]] ||
  fail "the package installed no program: $(dpkg -L kdx)"

# A user of the installed program: a home, a configuration folder and the settings
# saved there before (no boxes, so that the read ends by itself).
start_x
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/config
mkdir -p "$XDG_CONFIG_HOME/KDX"
printf '%s\r\n' "[SETTING]" "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0" \
  >"$XDG_CONFIG_HOME/KDX/Setting.ini"
make_target
touch "$WORK/target/B.txt" "$WORK/target/_x" "$WORK/target/C"
start_app_at() {
  "$1" "${@:2}" >>"$WORK/app.log" 2>&1 &
  LAST_PID=$!
  PIDS+=("$LAST_PID")
}
start_app_at KDX "$WORK/target"
wait_exit "$LAST_PID" 60
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"

out=$HOME/Documents/FolderListOutput
csv=$(ls "$out"/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no output in $out: $(find "$WORK/home" 2>&1)"
# The folder's items in name order, files and folders mixed: B.txt before b.txt (the
# raw bytes break the tie), "_" after the letters.
mapfile -t lines < <(tr -d '\r' <"$csv")
[[ "${lines[*]:1}" == ",B.txt ,b.txt ,C ,docs ,,a.txt ,_x" ]] || fail "order in $(cat "$csv")"
grep -q "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$out" "$XDG_CONFIG_HOME/KDX/Setting.ini" ||
  fail "the settings were not saved in the configuration folder"
echo "PASS"
