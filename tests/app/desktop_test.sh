#!/usr/bin/env bash
# desktop_test.sh BUILD_DIR: the installed desktop entry is valid and opens Intel
# HEX and S-record files with larkspan, and, with the MIME database compiled, every
# name of either kind is of the type the entry names.
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "$*"; exit 1; }

cmake --install "$1" --prefix "$prefix" --component desktop >/dev/null 2>&1 ||
  fail "cmake --install of the desktop component failed"
entry=$prefix/share/applications/org.larkspan.Larkspan.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx 'Exec=larkspan %f' "$entry" && grep -qx 'MimeType=text/x-ihex;text/x-srecord;' "$entry" ||
  fail "the entry does not open Intel HEX and S-record files with larkspan"
[ -s "$prefix/share/icons/hicolor/scalable/apps/larkspan.svg" ] || fail "no scalable icon"

# xdg-mime as on a desktop it does not know: it asks the MIME database, ours first.
# Each name with its type and an end record of that type.
while read -r name expected record; do
  printf '%s\r\n' "$record" >"$prefix/$name"
  type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
    -u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME="$prefix/none" \
    XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share" \
    xdg-mime query filetype "$prefix/$name")
  [ "$type" = "$expected" ] || fail "xdg-mime: $name is '$type', not $expected"
done <<'NAMES'
boot.hex text/x-ihex :00000001FF
boot.ihex text/x-ihex :00000001FF
boot.ihx text/x-ihex :00000001FF
boot.h86 text/x-ihex :00000001FF
boot.a43 text/x-ihex :00000001FF
boot.s19 text/x-srecord S9030000FC
boot.s28 text/x-srecord S804000000FB
boot.s37 text/x-srecord S70500000000FA
boot.srec text/x-srecord S9030000FC
boot.mot text/x-srecord S9030000FC
boot.mhx text/x-srecord S9030000FC
boot.sx text/x-srecord S9030000FC
BOOT.S19 text/x-srecord S9030000FC
NAMES
