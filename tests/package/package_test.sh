#!/usr/bin/env bash
# package_test.sh BUILD_DIR: the Debian package of BUILD_DIR holds files.txt only,
# depends on what dpkg-shlibdeps found, passes lintian, appstreamcli and man,
# declares its file types alike in entry, metadata and MIME packages, and its
# programs run unpacked.
set -u
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB -B "$out" --config "$1/CPackConfig.cmake" >"$out/log" 2>&1 || { cat "$out/log"; fail cpack; }
deb=$(echo "$out"/larkspan_*_"$(dpkg --print-architecture)".deb)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort |
  diff - "$(dirname "$0")/files.txt" || fail "file list"
[[ $(dpkg-deb -f "$deb" Depends) == *"libc6 (>= "*"libqt6widgets6 (>= "* ]] || fail Depends
lintian --fail-on error,warning "$deb" 2>/dev/null || fail lintian
dpkg -x "$deb" "$out/root" && cd "$out/root/usr" || fail "dpkg -x"
appstreamcli validate --no-net share/metainfo/*.xml >/dev/null || fail appstream
# The file types the desktop entry opens are those the metadata provides and the
# MIME packages define, each with its names.
types=$(sed -n 's/^MimeType=//p' share/applications/*.desktop | tr ';' '\n' | sed '/^$/d' | sort)
[ "$types" = "$(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' share/metainfo/*.xml | sort)" ] ||
  fail "metainfo media types"
update-mime-database share/mime 2>/dev/null && [ "$types" = "$(grep -v '^#' share/mime/globs2 | cut -d: -f2 |
  sort -u)" ] || fail "MIME types"
for page in share/man/man1/*; do
  [ -z "$(man --warnings -l "$page" 2>&1 >/dev/null)" ] || fail "man --warnings $page"
done
for program in larkspan-scan larkspan; do
  [ "$(bin/$program --version)" = "$program $(dpkg-deb -f "$deb" Version)" ] || fail "$program"
done
