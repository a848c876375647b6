#!/usr/bin/env bash
# Builds the .deb with cpack twice into scratch folders and checks that both builds are the same byte
# for byte, its control fields and contents, that lintian at its most talkative reports nothing that
# is not overridden with a reason, that the desktop entry and the software-centre listing validate,
# and that the packaged program carries the usual hardening.
# Arguments: the cpack program, the build folder.
set -euo pipefail
cpack=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# One .deb made into folder $1; its path on standard output.
make_deb() {
    SOURCE_DATE_EPOCH=1765000000 "$cpack" --config "$build/CPackConfig.cmake" -B "$1" > "$1.log" 2>&1 || {
        cat "$1.log" >&2
        exit 1
    }
    local debs=("$1"/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made no single .deb" >&2; exit 1; }
    echo "${debs[0]}"
}
deb=$(make_deb "$out/first")
cmp "$deb" "$(make_deb "$out/second")" || fail "two builds with the same SOURCE_DATE_EPOCH differ"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libglut libsdl2 libgl; do
    [[ $depends == *"$library"* ]] || fail "Depends names no $library"
done
[ "$(dpkg-deb -f "$deb" Package)" = rampix ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "The Rampix developers <developers@rampix.example.org>" ] || fail "maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "description"

contents=$(dpkg-deb -c "$deb" | awk '{print $1, $NF}')
expected=("-rwxr-xr-x ./usr/games/rampix" "-rw-r--r-- ./usr/share/rampix/font_256.bmp"
    "-rw-r--r-- ./usr/share/rampix/hit.wav" "-rw-r--r-- ./usr/share/applications/org.example.rampix.desktop"
    "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/org.example.rampix.svg"
    "-rw-r--r-- ./usr/share/man/man6/rampix.6.gz" "-rw-r--r-- ./usr/share/doc/rampix/copyright"
    "-rw-r--r-- ./usr/share/doc/rampix/dejavu-fonts-licence.txt" "-rw-r--r-- ./usr/share/doc/rampix/changelog.gz"
    "-rw-r--r-- ./usr/share/metainfo/org.example.rampix.metainfo.xml")
for size in 16 24 32 48 64 128 256 512; do
    expected+=("-rw-r--r-- ./usr/share/icons/hicolor/${size}x$size/apps/org.example.rampix.png")
done
for entry in "${expected[@]}"; do
    grep -qxF -- "$entry" <<< "$contents" || fail "missing $entry"
done
if grep -q 'Rampix.pref' <<< "$contents"; then fail "the package carries a preference file"; fi
if grep -q '/usr/bin/\|/libexec/' <<< "$contents"; then fail "Debian keeps games in /usr/games only"; fi

# Every lintian report, info and pedantic tags included, is a failure unless overridden in the package
# (its note about running as root goes to standard error).
lintian -I --pedantic "$deb" > "$out/lintian.log" || fail "lintian: $(cat "$out/lintian.log")"
[ ! -s "$out/lintian.log" ] || fail "lintian: $(cat "$out/lintian.log")"

root=$out/root
dpkg-deb -x "$deb" "$root"
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$root/usr/share/doc/rampix/copyright" || fail "the copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$root/usr/share/doc/rampix/copyright" || fail "the copyright file names no GPL-3+"
desktop-file-validate "$root/usr/share/applications/org.example.rampix.desktop" > "$out/desktop.log" 2>&1 &&
    [ ! -s "$out/desktop.log" ] || fail "desktop entry: $(cat "$out/desktop.log")"
metainfo=$root/usr/share/metainfo/org.example.rampix.metainfo.xml
# AppStream 0.16 does not know the developer element of the current form yet and says so as info.
appstreamcli validate --pedantic --no-net "$metainfo" > "$out/appstream.log" 2>&1 ||
    fail "metainfo: $(cat "$out/appstream.log")"
if grep -E '^[EWIP]: ' "$out/appstream.log" | grep -v ': unknown-tag developer$'; then
    fail "metainfo: $(cat "$out/appstream.log")"
fi
for tag in '<project_license>GPL-3.0-or-later</project_license>' '<metadata_license>CC0-1.0</metadata_license>' \
    '<category>SportsGame</category>' '<control>gamepad</control>' '<caption>'; do
    grep -qF "$tag" "$metainfo" || fail "metainfo lacks $tag"
done
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -f "$root/usr/share/applications/$launchable" ] || fail "the listing launches no packaged desktop entry: $launchable"
# Debian 12's C start files carry no control-flow marks, so no program linked there can have them.
hardening-check --nocfprotection "$root/usr/games/rampix" > "$out/hardening.log" ||
    fail "hardening: $(cat "$out/hardening.log")"

[ $failures -eq 0 ] || exit 1
echo "debian package ok: $(basename "$deb")"
