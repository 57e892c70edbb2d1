#!/usr/bin/env bash
# check_install.sh BUILD_DIR VERSION: installs the build into a temporary DESTDIR with prefix
# /usr, checks the tree, validates the desktop entry, the AppStream metadata, the MIME type and
# the manual pages, and starts the staged program. Exits 77 (skipped) when all of that passed
# but the program has no --version yet.
set -euo pipefail
build="$1"
version_expected="Tovrik $2"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
usr="$stage/usr"
id=org.tovrik.Tovrik
expected=(
    bin/tovrik bin/tovrik-mksim
    share/tovrik/mk.js share/tovrik/translations/Lang_de_DE.qm
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/mime/packages/$id.xml
    share/man/man1/tovrik.1.gz share/man/man1/tovrik-mksim.1.gz share/doc/tovrik/changelog.gz
    lib/udev/rules.d/60-tovrik.rules share/doc/tovrik/copyright
)
for f in "${expected[@]}"; do
    [ -s "$usr/$f" ] || fail "missing or empty: /usr/$f"
done
for f in bin/tovrik bin/tovrik-mksim; do
    [ -x "$usr/$f" ] || fail "not executable: /usr/$f"
done
# Every icon has the pixel size its folder claims.
for size in 16 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon: $(file "$icon")"
done
# Nothing is installed outside the prefix.
extra="$(find "$stage" -mindepth 1 -maxdepth 1 ! -name usr)"
[ -z "$extra" ] || fail "installed outside the prefix: $extra"

desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --no-color "$usr/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "appstreamcli validate"
# The capture file type compiles and claims *.mkcap (the database is built in a copy).
cp -r "$usr/share/mime" "$stage/mime"
XDG_DATA_DIRS="$stage" update-mime-database "$stage/mime" 2>&1 | grep . \
    && fail "update-mime-database complained"
grep -q '^50:application/x-tovrik-capture:\*\.mkcap$' "$stage/mime/globs2" \
    || fail "*.mkcap not in the MIME database"
rm -rf "$stage/mime"
for page in "$usr"/share/man/man1/*.1.gz; do
    warnings="$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# The staged program starts and keeps running on the offscreen platform; also without
# XDG_RUNTIME_DIR (root shells, su, sudo), where it must not print the toolkit's notice.
cd "$stage"
set +e
env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/tovrik" >out.txt 2>err.txt
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "staged tovrik ended early (exit $rc): $(cat err.txt)"
! grep -q "XDG_RUNTIME_DIR" err.txt || fail "start-up printed: $(grep XDG_RUNTIME_DIR err.txt)"

set +e
version="$(QT_QPA_PLATFORM=offscreen timeout 5 "$usr/bin/tovrik" --version 2>&1)"
rc=$?
set -e
if [ "$rc" -eq 124 ]; then
    echo "SKIP: 'tovrik --version' does not exist yet (the program started its window)"
    exit 77
fi
[ "$rc" -eq 0 ] || fail "tovrik --version exited $rc: $version"
[ "$version" = "$version_expected" ] || fail "tovrik --version printed: $version"
