#!/usr/bin/env bash
# Installs the desktop files into a fresh prefix and checks them with the desktop's
# own tools: the entry is valid and opens Intel HEX files with larkspan, and every
# Intel HEX name is of the type the entry names once the MIME database is compiled.
#   desktop_test.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "$*"
  exit 1
}

cmake --install "$build" --prefix "$prefix" --component desktop >/dev/null 2>&1 ||
  fail "cmake --install of the desktop component failed"
entry=$prefix/share/applications/larkspan.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx 'Exec=larkspan %f' "$entry" || fail "the entry does not pass a file to larkspan"
grep -qx 'MimeType=text/x-ihex;' "$entry" || fail "the entry names no Intel HEX type"
[ -s "$prefix/share/icons/hicolor/scalable/apps/larkspan.svg" ] || fail "no scalable icon"

# xdg-mime as on a desktop without a known environment: it asks shared-mime-info's
# database in the data folders, ours first.
for name in boot.hex boot.ihex boot.ihx boot.h86 boot.a43; do
  printf ':00000001FF\r\n' >"$prefix/$name"
  type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
    -u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME="$prefix/none" \
    XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share" \
    xdg-mime query filetype "$prefix/$name")
  [ "$type" = text/x-ihex ] || fail "xdg-mime: $name is '$type', not text/x-ihex"
done
echo "desktop entry valid; .hex, .ihex, .ihx, .h86 and .a43 are text/x-ihex"
