#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: the program, its desktop entry, its icons
# and its metainfo, each where a desktop looks for it, and both validators content.
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kdx-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.kdx.KDX
expected=(
  bin/KDX
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [[ -f $prefix/$file ]] || fail "$file is not installed: $(cd "$prefix" && find . -type f)"
done
[[ -x $prefix/bin/KDX ]] || fail "bin/KDX cannot be run"
for size in 16 24 32 48 64 128 256; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" |
    grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon has another size"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon"

entry=$prefix/share/applications/$id.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate"
for line in "Name=KDX" "Exec=KDX %f" "Icon=$id" "MimeType=inode/directory;"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks '$line'"
done
for key in "Name\[ja\]" "Comment\[ja\]" "Categories"; do
  grep -q "^$key=." "$entry" || fail "the desktop entry lacks $key"
done
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q '<summary xml:lang="ja">' "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no Japanese summary"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo names another desktop entry"
echo "PASS"
