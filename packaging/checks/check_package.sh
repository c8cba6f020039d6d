#!/usr/bin/env bash
# Checks the desktop entry and the metainfo with their validators, builds the Debian package
# and checks that it holds what the program needs and declares its dependencies.
# Usage: check_package.sh <build dir> <desktop entry> <metainfo>
set -euo pipefail
build=$1 desktop=$2 metainfo=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "metainfo"
grep -qx 'Exec=tolvik %f' "$desktop" || fail "the desktop entry does not start bin/tolvik with a design file"
grep -qx 'MimeType=application/x-tolvik-design;' "$desktop" || fail "the desktop entry does not open design files"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/tolvik_*.deb)
dpkg-deb -c "$deb" | awk '{ if ($1 ~ /^l/) print $6, $7, $8; else print $6 }' | sed 's|^\./|/|' >"$work/files"

need=(
  "/usr/bin/tolvik -> ../lib/tolvik/tolvik"
  /usr/lib/tolvik/tolvik
  /usr/lib/tolvik/libtolvik_ondemand.so
  /usr/lib/tolvik/db1.mdb
  "/usr/bin/tolvik-data -> ../lib/tolvik/tolvik-data"
  /usr/lib/tolvik/tolvik-data
  "/usr/bin/tolvik-advise -> ../lib/tolvik/tolvik-advise"
  /usr/lib/tolvik/tolvik-advise
  /usr/share/applications/com.kestron.tolvik.desktop
  /usr/share/metainfo/com.kestron.tolvik.metainfo.xml
  /usr/share/mime/packages/com.kestron.tolvik.xml
  /usr/share/icons/hicolor/scalable/apps/com.kestron.tolvik.svg
)
for size in 16 22 24 32 48 64 128 256; do
  need+=("/usr/share/icons/hicolor/${size}x${size}/apps/com.kestron.tolvik.png")
done
for pic in "$build"/bin/bmp/*.bmp; do need+=("/usr/lib/tolvik/bmp/$(basename "$pic")"); done
# Help and manual go with the program whenever the build made them.
[ -f "$build/bin/manual.pdf" ] && need+=(/usr/lib/tolvik/manual.pdf)
if [ -d "$build/bin/help" ]; then
  while IFS= read -r f; do need+=("/usr/lib/tolvik/help/${f#"$build"/bin/help/}"); done \
    < <(find "$build/bin/help" -type f)
fi
for f in "${need[@]}"; do
  grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done
[ "$(grep -c '^/usr/lib/tolvik/bmp/.*\.bmp$' "$work/files")" -ge 6 ] || fail "arrow pictures"
# Everything lies under /usr, nothing under a build path.
! grep -v '^/usr/' "$work/files" | grep -q . || fail "files outside /usr"
! grep -q "$build" "$work/files" || fail "build paths in the package"

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6charts6 libsqlite3-0 qt6-qpa-plugins libqt6svg6 libqt6help6 libqt6sql6-sqlite; do
  grep -q "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
echo "package: $(basename "$deb") holds the program folder, links, desktop entry, metainfo and icons"
