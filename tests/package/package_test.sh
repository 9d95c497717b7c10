#!/usr/bin/env bash
# package_test.sh BUILD_DIR: the Debian package made from BUILD_DIR holds what the
# project installs and nothing else (no compiled MIME cache), depends on the
# libraries found by dpkg-shlibdeps, passes lintian, the AppStream and manual page
# checks, and its programs run from the unpacked tree.
set -u
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB -B "$out" --config "$1/CPackConfig.cmake" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack"; }
deb=$(echo "$out"/larkspan_*_"$(dpkg --print-architecture)".deb)
[ -f "$deb" ] || fail "no larkspan_VERSION_ARCH.deb"
diff <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) - <<'EOF_FILES' || fail "file list"
./usr/bin/larkspan
./usr/bin/larkspan-scan
./usr/share/applications/org.larkspan.Larkspan.desktop
./usr/share/doc/larkspan/changelog.gz
./usr/share/doc/larkspan/copyright
./usr/share/icons/hicolor/32x32/apps/larkspan.xpm
./usr/share/icons/hicolor/scalable/apps/larkspan.svg
./usr/share/man/man1/larkspan-scan.1.gz
./usr/share/man/man1/larkspan.1.gz
./usr/share/metainfo/org.larkspan.Larkspan.metainfo.xml
./usr/share/mime/packages/larkspan-ihex.xml
EOF_FILES
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6; do
  [[ $depends == *"$lib (>= "* ]] || fail "Depends lacks $lib: $depends"
done
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian"

root=$out/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >/dev/null || fail "appstream"
for page in "$root"/usr/share/man/man1/*; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man: $page: $warnings"
done
version=$(dpkg-deb -f "$deb" Version)
for program in larkspan-scan larkspan; do
  said=$("$root/usr/bin/$program" --version)
  [ "$said" = "$program $version" ] || fail "$program --version: '$said'"
done
