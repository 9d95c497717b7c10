#!/usr/bin/env bash
# desktop_test.sh BUILD_DIR: the installed desktop entry is valid and opens Intel
# HEX files with larkspan, and, with the MIME database compiled, every Intel HEX
# name is of the type the entry names.
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "$*"; exit 1; }

cmake --install "$1" --prefix "$prefix" --component desktop >/dev/null 2>&1 ||
  fail "cmake --install of the desktop component failed"
entry=$prefix/share/applications/org.larkspan.Larkspan.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx 'Exec=larkspan %f' "$entry" && grep -qx 'MimeType=text/x-ihex;' "$entry" ||
  fail "the entry does not open Intel HEX files with larkspan"
[ -s "$prefix/share/icons/hicolor/scalable/apps/larkspan.svg" ] || fail "no scalable icon"

# xdg-mime as on a desktop it does not know: it asks the MIME database, ours first.
for name in boot.hex boot.ihex boot.ihx boot.h86 boot.a43; do
  printf ':00000001FF\r\n' >"$prefix/$name"
  type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
    -u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME="$prefix/none" \
    XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share" \
    xdg-mime query filetype "$prefix/$name")
  [ "$type" = text/x-ihex ] || fail "xdg-mime: $name is '$type', not text/x-ihex"
done
