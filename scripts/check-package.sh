#!/usr/bin/env bash
# Checks Pandrel as the desktop meets it: the desktop entry and AppStream
# metadata validate, an install into a staging folder gives exactly the files
# of data/installed-files.txt, the Debian package passes lintian and installs
# with apt, and the installed program starts from its desktop entry and
# becomes the default browser (scripts/check-installed-desktop.sh).
# Run as root after a build: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
we_installed=no
cleanup() {
  if [[ $we_installed == yes ]]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pandrel >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

step() { echo "== check-package: $*"; }
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

step "desktop entry and AppStream metadata"
desktop-file-validate data/com.kestrane.Pandrel.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net data/com.kestrane.Pandrel.metainfo.xml || fail "appstreamcli validate"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l data/pandrel.1 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "the manual page has roff warnings: $warnings"

step "install into a staging folder"
DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/stage" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >"$work/installed"
diff -u data/installed-files.txt "$work/installed" || fail "the staged install differs from data/installed-files.txt"
[[ -x $work/stage/usr/bin/pandrel ]] || fail "usr/bin/pandrel is not executable"
for size in 16 22 24 32 48 64 128 256 512; do
  picture=$work/stage/usr/share/icons/hicolor/${size}x${size}/apps/com.kestrane.Pandrel.png
  file -b "$picture" | grep -q "PNG image data, $size x $size," || fail "icon $picture is not $size x $size"
done

step "Debian package"
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
debs=("$build"/package/pandrel_*.deb)
((${#debs[@]} == 1)) || fail "expected one package, found ${debs[*]}"
deb=${debs[0]}
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort >"$work/packaged"
diff -u data/installed-files.txt "$work/packaged" || fail "the package's files differ from data/installed-files.txt"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libgtkmm-3.0-1v5 libwebkit2gtk-4.1-0 libsqlite3-0; do
  [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
    fail "the package does not depend on $library: $depends"
done
status=0
report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
((status == 0)) || fail "lintian found errors or warnings"

step "install the package with apt"
[[ $(id -u) == 0 ]] || fail "installing the package needs root"
if ! dpkg-query -W -f='${Status}' pandrel 2>/dev/null | grep -q "install ok installed"; then
  we_installed=yes
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null || fail "apt-get install $deb"
[[ $(command -v pandrel) == /usr/bin/pandrel ]] || fail "pandrel is not on the PATH after installing"

step "start from the desktop entry, default browser"
scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 \
  scripts/check-installed-desktop.sh "$build/tests/seed_store" || fail "the installed desktop entry"
step "all passed"
