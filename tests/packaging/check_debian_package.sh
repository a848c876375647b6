#!/usr/bin/env bash
# Builds the .deb with cpack into a scratch folder and checks its control fields and contents, that
# lintian finds nothing to report, and that its software-centre listing validates.
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

"$cpack" --config "$build/CPackConfig.cmake" -B "$out" > "$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made no single .deb"; ls "$out"; exit 1; }
deb=${debs[0]}

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
for entry in "-rwxr-xr-x ./usr/games/rampix" "-rwxr-xr-x ./usr/libexec/rampix/rampix" \
    "-rw-r--r-- ./usr/share/rampix/font_256.bmp" "-rw-r--r-- ./usr/share/rampix/hit.wav" \
    "-rw-r--r-- ./usr/share/applications/org.example.rampix.desktop" \
    "-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/rampix.png" \
    "-rw-r--r-- ./usr/share/man/man6/rampix.6.gz" "-rw-r--r-- ./usr/share/doc/rampix/copyright" \
    "-rw-r--r-- ./usr/share/doc/rampix/changelog.gz" \
    "-rw-r--r-- ./usr/share/metainfo/org.example.rampix.metainfo.xml"; do
    grep -qxF -- "$entry" <<< "$contents" || fail "missing $entry"
done
if grep -q 'Rampix.pref' <<< "$contents"; then fail "the package carries a preference file"; fi
if grep -q '/usr/bin/' <<< "$contents"; then fail "Debian keeps games in /usr/games, not /usr/bin"; fi

# Every lintian report is a failure (its note about running as root goes to standard error).
lintian --fail-on error,warning "$deb" > "$out/lintian.log" || fail "lintian: $(cat "$out/lintian.log")"
[ ! -s "$out/lintian.log" ] || fail "lintian: $(cat "$out/lintian.log")"

dpkg-deb -x "$deb" "$out/root"
metainfo=$out/root/usr/share/metainfo/org.example.rampix.metainfo.xml
appstreamcli validate --no-net "$metainfo" > "$out/appstream.log" 2>&1 || fail "metainfo: $(cat "$out/appstream.log")"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -f "$out/root/usr/share/applications/$launchable" ] || fail "the listing launches no packaged desktop entry: $launchable"

[ $failures -eq 0 ] || exit 1
echo "debian package ok: $(basename "$deb")"
