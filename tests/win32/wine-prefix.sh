#!/usr/bin/env bash
# Makes the Wine folder of a build when it is missing or out of date: wine-prefix.sh WINE_DIR.
# It holds the generated ja_JP.UTF-8 locale and a prefix with the Japanese fonts' stand-ins
# and the associations of .txt and .csv (a fresh prefix opens neither).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
wine_dir=$(cd "$1" && pwd)
stamp="$wine_dir/prefix.stamp"
signature=$(cat "$here/wine-prefix.sh" "$here/wine-env.sh" "$here/prefix.reg" | md5sum | cut -d' ' -f1)
if [[ -f $stamp && $(cat "$stamp") == "$signature" ]]; then exit 0; fi

rm -rf "$wine_dir/prefix" "$stamp"
mkdir -p "$wine_dir/locale"
if [[ ! -d $wine_dir/locale/ja_JP.UTF-8 ]]; then
  # localedef warns about characters without a form; the locale is still complete.
  localedef -i ja_JP -f UTF-8 "$wine_dir/locale/ja_JP.UTF-8" || [[ -d $wine_dir/locale/ja_JP.UTF-8 ]]
fi
source "$here/wine-env.sh" "$wine_dir"
env "${wine_env[@]}" wineboot --init
env "${wine_env[@]}" wineserver -w
# regedit reads a registry file with non-ASCII names in UTF-16.
iconv -f UTF-8 -t UTF-16 "$here/prefix.reg" >"$wine_dir/prefix.reg"
env "${wine_env[@]}" wine regedit /S 'Z:'"${wine_dir//\//\\}"'\prefix.reg'
env "${wine_env[@]}" wineserver -w
echo "$signature" >"$stamp"
