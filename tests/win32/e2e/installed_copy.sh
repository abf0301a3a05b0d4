#!/usr/bin/env bash
# A copy in a folder its user cannot write (one installed under Program Files; here a
# read-only bind mount) keeps Setting.ini in %APPDATA%\KDX\ and writes by default to the
# Documents folder's FolderListOutput: its settings are read from there, its outputs go
# there, and it saves its settings there at the end. The Documents folder is one of the
# test's own while it runs.
source "$(dirname "$0")/e2elib.sh" "$1" "$2"
reg() { env "${wine_env[@]}" wine reg "$@" </dev/null >>"$WORK/reg.log" 2>&1; }
folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
settings_folder="$2/prefix/drive_c/users/$(id -un)/AppData/Roaming/KDX"
installed="$WORK/Program Files/KDX"
restore() {
  umount "$installed" 2>/dev/null || true
  reg add "$folders\\User Shell Folders" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents' /f
  reg add "$folders\\Shell Folders" /v Personal /d "C:\\users\\$(id -un)\\Documents" /f
  rm -rf "$settings_folder"
  cleanup
}
trap restore EXIT

mkdir -p "$installed" "$WORK/docs" "$WORK/target/sub"
printf 'a' >"$WORK/target/sub/a.txt"
cp "$KDX_BUILT" "$installed/KDX.exe"
if ! mount --bind "$installed" "$installed" 2>>"$WORK/mount.log" ||
  ! mount -o remount,ro,bind "$installed" 2>>"$WORK/mount.log"; then
  echo "SKIP: no read-only folder can be made here: $(cat "$WORK/mount.log")"
  exit 0
fi
touch "$installed/probe" 2>/dev/null && fail "the install folder can be written"
reg add "$folders\\User Shell Folders" /v Personal /t REG_EXPAND_SZ /d "$(winpath "$WORK/docs")" /f ||
  fail "$(cat "$WORK/reg.log")"
reg add "$folders\\Shell Folders" /v Personal /d "$(winpath "$WORK/docs")" /f

# The settings of the user's own: no box, no folder opened.
rm -rf "$settings_folder"
mkdir -p "$settings_folder"
printf '%s\r\n' "[SETTING]" "IS_FOLDER_LIST_OUTPUTMSG=0" "IS_FOLDER_LIST_OUTPUTLOCATE=0" \
  >"$settings_folder/Setting.ini"

env "${wine_env[@]}" wine "$installed/KDX.exe" "$(winpath "$WORK/target")" </dev/null \
  >>"$WORK/app.log" 2>&1 &
PIDS+=("$!")
wait_exit "$!" 60
[[ $LAST_STATUS == 0 ]] || fail "exit status $LAST_STATUS: $(cat "$WORK/app.log")"
csv=$(ls "$WORK"/docs/FolderListOutput/KDX_*.csv 2>/dev/null | head -n1)
[[ -n $csv ]] || fail "no output in Documents\\FolderListOutput: $(find "$WORK/docs" 2>&1)"
grep -q $'^,,a.txt\r$' "$csv" || fail "CSV: $(cat -A "$csv")"
# Saved where it was read, with every key, the default output folder among them.
grep -qx $'IS_FOLDER_LIST_OUTPUTMSG=0\r' "$settings_folder/Setting.ini" &&
  grep -qxF "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=$(winpath "$WORK/docs")\\FolderListOutput"$'\r' \
    "$settings_folder/Setting.ini" ||
  fail "Setting.ini: $(cat -A "$settings_folder/Setting.ini")"
[[ $(grep -c '=' "$settings_folder/Setting.ini") == 17 ]] ||
  fail "Setting.ini keys: $(cat -A "$settings_folder/Setting.ini")"
[[ ! -e $installed/Setting.ini ]] || fail "Setting.ini beside the installed copy"
echo "PASS"
