#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and builds the Debian package, then checks that
# both hold the program, its desktop entry, icons, a valid metainfo file and the licence terms,
# that every program, file and the package name the version of the build, and that lintian and
# desktop-file-validate, where installed, find no fault.
#   install_check.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected=(
  bin/kovra
  bin/kovra-teacher
  share/applications/kovra.desktop
  share/applications/kovra.teacher.desktop
  share/icons/hicolor/48x48/apps/kovra-teacher.png
  share/metainfo/example.kovra.Kovra.metainfo.xml
  share/icons/hicolor/16x16/apps/kovra.png
  share/icons/hicolor/32x32/apps/kovra.png
  share/icons/hicolor/48x48/apps/kovra.png
  share/icons/hicolor/256x256/apps/kovra.png
  share/icons/hicolor/48x48/mimetypes/application-x-kovra-test.png
  share/mime/packages/kovra.xml
  share/doc/kovra/copyright
  share/doc/kovra/changelog.gz
  share/man/man1/kovra.1.gz
  share/man/man1/kovra-teacher.1.gz
)
for f in "${expected[@]}"; do
  [ -e "$work/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
grep -qx 'Categories=Education;Math;Qt;' "$work/prefix/share/applications/kovra.desktop"
grep -qx 'Exec=kovra %f' "$work/prefix/share/applications/kovra.desktop"
grep -qx 'MimeType=application/x-kovra-test;' "$work/prefix/share/applications/kovra.desktop"
# The file type: the database takes it, with its name pattern and its first bytes.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$work/prefix/share/mime"
  grep -q 'application/x-kovra-test:\*\.kovra' "$work/prefix/share/mime/globs2"
  grep -q 'application/x-kovra-test' "$work/prefix/share/mime/magic"
fi
# A double-click: the file manager's library takes a test file for the file type by its name
# and, renamed, by its first bytes, and opens it with the program's desktop entry.
if command -v gio >/dev/null && command -v update-desktop-database >/dev/null; then
  "$build/kovra-check" --write "$work/test.kovra" "$source/tests/fixtures/small" >/dev/null
  cp "$work/test.kovra" "$work/renamed"
  update-desktop-database "$work/prefix/share/applications"
  export XDG_DATA_DIRS="$work/prefix/share:/usr/share"
  for f in test.kovra renamed; do
    info=$(gio info -a standard::content-type "$work/$f")
    grep -q 'content-type: application/x-kovra-test$' <<<"$info"
  done
  opener=$(PATH="$work/prefix/bin:$PATH" gio mime application/x-kovra-test)
  grep -q '^Default application.*: kovra.desktop' <<<"$opener"
  # The teacher's program is offered beside it.
  grep -q 'kovra.teacher.desktop' <<<"$opener"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$work/prefix/share/metainfo/example.kovra.Kovra.metainfo.xml"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$work/prefix/share/applications/kovra.desktop"
  desktop-file-validate "$work/prefix/share/applications/kovra.teacher.desktop"
fi

# The licence: its full text beside the sources, and the copyright file naming it for the
# program and the Creative Commons licence for the built-in test.
head -n2 "$source/LICENSE" | tr -s ' ' | grep -qx ' Version 3, 29 June 2007'
if [ -e /usr/share/common-licenses/GPL-3 ]; then cmp "$source/LICENSE" /usr/share/common-licenses/GPL-3; fi
copyright=$work/prefix/share/doc/kovra/copyright
head -n1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
grep -A2 -x 'Files: \*' "$copyright" | grep -qx 'License: GPL-3.0-or-later'
grep -A2 -x 'Files: src/content/data/\*' "$copyright" | grep -qx 'License: CC-BY-SA-4.0'

# One version everywhere.
same_version() { [ "$2" = "$3" ] || { echo "$1 says \"$2\", expected \"$3\""; exit 1; }; }
same_version "kovra --version" "$(timeout 20 "$work/prefix/bin/kovra" --version)" "kovra $version"
same_version "kovra-check --version" "$(timeout 20 "$build/kovra-check" --version)" "kovra-check $version"
same_version metainfo "$(grep -o '<release version="[^"]*"' "$work/prefix/share/metainfo/example.kovra.Kovra.metainfo.xml")" "<release version=\"$version\""
same_version changelog "$(zcat "$work/prefix/share/doc/kovra/changelog.gz" | head -n1 | cut -d' ' -f2)" "($version)"

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
same_version "the package" "$(dpkg-deb --field "$deb" Version)" "$version"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb"
fi
echo "installed and packaged: ${#expected[@]} files; $(basename "$deb")"
