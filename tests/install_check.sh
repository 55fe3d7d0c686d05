#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and builds the Debian package, then checks that
# both hold the program, its desktop entry, icons and a valid metainfo file.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected=(
  bin/kovra
  share/applications/kovra.desktop
  share/metainfo/example.kovra.Kovra.metainfo.xml
  share/icons/hicolor/16x16/apps/kovra.png
  share/icons/hicolor/32x32/apps/kovra.png
  share/icons/hicolor/48x48/apps/kovra.png
  share/icons/hicolor/256x256/apps/kovra.png
)
for f in "${expected[@]}"; do
  [ -e "$work/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
grep -qx 'Categories=Education;Math;Qt;' "$work/prefix/share/applications/kovra.desktop"
grep -qx 'Exec=kovra' "$work/prefix/share/applications/kovra.desktop"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$work/prefix/share/metainfo/example.kovra.Kovra.metainfo.xml"
fi
for size in 16 32 48 256; do
  file "$work/prefix/share/icons/hicolor/${size}x${size}/apps/kovra.png" | grep -q "$size x $size"
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/kovra_*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in "${expected[@]}"; do
  grep -q "\./usr/$f\$" <<<"$contents" || { echo "not in the package: $f"; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6'
echo "installed and packaged: ${#expected[@]} files; $(basename "$deb")"
