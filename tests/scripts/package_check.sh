#!/usr/bin/env bash
# Builds the Debian package, runs lintian on it (an error fails) and tries it as a user would: installs it with
# apt-get, runs both programs, checks that the desktop entry, the file types and the icons reached the system's
# databases, then removes it and checks that nothing is left. Without root the package is unpacked into a throwaway
# root instead and only the programs and files are checked. Usage: package_check.sh (from anywhere; builds with
# `make package`).
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/scripts/packaging_checks.sh

make package
deb=$(ls build/package/gonilux_*.deb)
sample=$PWD/samples/downlight_axial.ies
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Depends/p'

# Debian's own package checker: every finding is shown, an error fails the check.
command -v lintian >/dev/null || fail "lintian is not installed (make deps installs it)"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors in $deb"

if [ "$(id -u)" != 0 ]; then
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$deb" "$root"
    check_programs "$root/usr/bin" "$sample"
    check_installed_files "$root/usr"
    echo "package check passed (unpacked into $root; not root, so apt-get was not tried)"
    exit 0
fi

if dpkg-query -W -f='${Status}' gonilux 2>/dev/null | grep -q 'install ok installed'; then
    echo "gonilux is already installed here; not touching it" >&2
    exit 1
fi
trap 'DEBIAN_FRONTEND=noninteractive apt-get purge -y gonilux >/dev/null 2>&1 || true' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "./$deb"
check_programs /usr/bin "$sample"
check_installed_files /usr
# The package's triggers must have refreshed the system's MIME database.
mime=$(XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$sample")
expect_equal "system MIME type of $sample" application/x-ies "$mime"
grep -q '^application/x-ies:' /usr/share/mime/globs2 /usr/share/mime/globs || fail "globs database lacks the type"
grep -q 'application/x-ies=.*gonilux.desktop' /usr/share/applications/mimeinfo.cache \
    || fail "desktop database does not list gonilux for the type"

DEBIAN_FRONTEND=noninteractive apt-get purge -y gonilux
trap - EXIT
for f in /usr/bin/gonilux /usr/bin/gonilux-cli /usr/lib/gonilux/gonilux-cli-draw /usr/share/applications/gonilux.desktop \
    /usr/share/mime/packages/gonilux.xml /usr/share/icons/hicolor/scalable/apps/gonilux.svg; do
    [ ! -e "$f" ] || fail "$f is left after removal"
done
! grep -q 'application/x-ies' /usr/share/mime/globs2 || fail "the MIME type is left in the database after removal"
! grep -q 'gonilux.desktop' /usr/share/applications/mimeinfo.cache 2>/dev/null \
    || fail "the desktop database still lists gonilux after removal"
echo "package check passed: installed with apt-get, ran, removed cleanly"
