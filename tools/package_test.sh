#!/usr/bin/env bash
# Makes the Debian package, unpacks it into a scratch root and checks what it installs:
# quillet-cli runs (--version, --help, check of the sample), the desktop entry passes
# desktop-file-validate, the MIME types and the icons stand where freedesktop.org's desktops
# look for them, both manual pages render, and lintian finds no error.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/package.sh
deb=$(ls build-package/quillet_*.deb | head -1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
fail() { echo "package_test: $*" >&2; exit 1; }

version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$("$root/usr/bin/quillet-cli" --version)" = "quillet-cli $version" ] || fail "quillet-cli --version"
# Each output is taken whole before it is searched: under pipefail, a grep -q that stops
# reading early would fail the writer with SIGPIPE.
contains() { grep -qF -- "$2" <<<"$1"; }
contains "$("$root/usr/bin/quillet-cli" --help)" "quillet-cli check" || fail "quillet-cli --help"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quillet" --version)" = \
  "quillet $version" ] || fail "quillet --version"
sample="$root/usr/share/quillet/SAMPLE.T4E"
[ -f "$sample" ] || fail "no sample file"
cp "$sample" "$root/SAMPLE.T4E"
set +e
"$root/usr/bin/quillet-cli" check "$root/SAMPLE.T4E" > "$root/check.txt"
status=$?
set -e
[ "$status" -le 1 ] && grep -q "Validation Report" "$root/check.txt" || fail "check of the sample"

desktop-file-validate "$root/usr/share/applications/quillet.desktop" || fail "desktop entry"
grep -q 'glob pattern="\*.t4e"' "$root/usr/share/mime/packages/quillet.xml" || fail "MIME type"
grep -q 'glob pattern="\*.t4a"' "$root/usr/share/mime/packages/quillet.xml" || fail "MIME type"
for size in 16 22 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/quillet.png"
  contains "$(file "$icon")" "PNG image data, $size x $size" || fail "icon $size"
done
for page in quillet quillet-cli; do
  contains "$(man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null)" "NAME" || fail "man page $page"
done
lintian --fail-on error "$deb" || fail "lintian"
echo "package_test: $deb passes"
