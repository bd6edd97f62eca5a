#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built game into a temporary prefix and checks the tree a desktop and a packager see: every file
# in its place and nothing else, the icon at every size, a desktop entry and metainfo that their validators
# accept, manual pages groff reads without a warning, the programs answering --help and --version from the
# installed tree without the build folder, the licence, changelog and manual in the documentation folder, and
# (when CPack and dpkg are there) the Debian package's dependencies and contents, unpacked and run, and lintian
# finding no error and no warning in it.
# Usage: check_install.sh <build folder> <app id> <version>
set -euo pipefail

build=$(cd "$1" && pwd)
app_id=$2
version=$3
. "$(dirname "$0")/checks.sh"
need() { command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (scripts/setup installs it)" >&2; exit 1; }; }
need desktop-file-validate
need appstreamcli
need groff
need readelf
need lintian

prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

# Every file the install places, and nothing more.
icon_sizes=(16 22 24 32 48 64 128 256 512)
expected=(
    bin/zem
    bin/zem-math
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    share/icons/hicolor/scalable/apps/zem.svg
    share/man/man6/zem.6.gz
    share/man/man6/zem-math.6.gz
    share/doc/zem/copyright
    share/doc/zem/changelog.gz
    share/doc/zem/manual.html
)
for size in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/zem.png"); done
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/installed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed"; then fail "the installed tree differs from the expected one"; fi

# The PNGs have their sizes (width and height from the PNG header).
for size in "${icon_sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/zem.png
    [ -f "$png" ] || continue
    read -r signature <<<"$(od -An -tx1 -N8 "$png" | tr -d ' \n')"
    [ "$signature" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    dims=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$dims"
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x$height, not ${size}x$size"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/zem.svg" || fail "zem.svg is no SVG"

# The desktop entry and the metainfo pass their validators, and point at what was installed.
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
grep -qx 'Exec=zem' "$desktop" || fail "the desktop entry does not start zem"
grep -qx 'Icon=zem' "$desktop" || fail "the desktop entry does not show the zem icon"
grep -q '^Categories=.*Game;' "$desktop" || fail "the desktop entry is not in the Game category"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not name the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo does not name release $version"
grep -q '<content_attribute id="money-gambling">moderate</content_attribute>' "$metainfo" ||
    fail "the metainfo does not rate gambling with play money"
# The screenshot it announces was made by the build, at the size it states.
shot=$build/packaging/screenshots/zem-machine.png
if [ -f "$shot" ]; then
    stated=$(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/p' "$metainfo")
    dims=$(od -An -tu1 -j16 -N8 "$shot" | tr -s ' ' | sed 's/^ //')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$dims"
    made="$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
    [ "$stated" = "$made" ] || fail "the metainfo states a ${stated} screenshot, the build made $made"
else
    fail "the build made no screenshot at $shot"
fi

# The licence, the changes of this release and the player's manual with every figure filled in.
doc=$prefix/share/doc/zem
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "the copyright file does not name the licence"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the metainfo names no licence"
gzip -dc "$doc/changelog.gz" | grep -q "^zem ($version) " || fail "the changelog has no entry for $version"
grep -q '<h2 id="paytable">' "$doc/manual.html" || fail "manual.html has no pay table"
! grep -q '@' "$doc/manual.html" || fail "manual.html has a figure left unfilled"

# The manual pages read without a warning.
for page in zem zem-math; do
    file=$prefix/share/man/man6/$page.6.gz
    [ -f "$file" ] || continue
    warnings=$(gzip -dc "$file" | groff -man -Tutf8 -ww -z 2>&1 || true)
    [ -z "$warnings" ] || fail "$page.6: $warnings"
    gzip -dc "$file" | groff -man -Tutf8 2>/dev/null | grep -q "$page" || fail "$page.6 renders empty"
done

# The programs carry no path into the build folder to load libraries from.
for program in zem zem-math; do
    if readelf -d "$prefix/bin/$program" | grep -E 'RPATH|RUNPATH' | grep -q "$build"; then
        fail "$program looks for libraries in the build folder"
    fi
done

# The installed programs answer. Where a private mount namespace is allowed, the build folder is hidden
# behind an empty one while they run, so nothing they need can come from it.
run_installed() {
    if unshare -m true 2>/dev/null; then
        unshare -m bash -c 'mount -t tmpfs none "$1" && shift && exec "$@"' _ "$build" "$@"
    else
        "$@"
    fi
}
out=$(run_installed "$prefix/bin/zem" --version) || fail "zem --version fails"
[ "$out" = "zem $version" ] || fail "zem --version says '$out'"
out=$(run_installed "$prefix/bin/zem" --help) || fail "zem --help fails"
grep -q -- '--version' <<<"$out" || fail "zem --help does not list --version"
out=$(run_installed "$prefix/bin/zem-math" --version) || fail "zem-math --version fails"
[ "$out" = "zem-math $version" ] || fail "zem-math --version says '$out'"
out=$(run_installed "$prefix/bin/zem-math" spin --help) || fail "zem-math spin --help fails"
grep -q -- '--stops' <<<"$out" || fail "zem-math spin --help does not explain --stops"
out=$(run_installed "$prefix/bin/zem-math" spin --stops 21,20,16,17,7) || fail "zem-math spin fails"
grep -q '"spinwin":1525' <<<"$out" || fail "zem-math spin gives '$out'"
# The game itself comes up from the installed tree (offscreen, with a fresh home) and keeps running until
# it is stopped.
status=0
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=offscreen \
    run_installed timeout 4 "$prefix/bin/zem" >"$work/zem.log" 2>&1 || status=$?
[ "$status" = 124 ] || { cat "$work/zem.log" >&2; fail "the installed zem ended with status $status before it was stopped"; }

# The Debian package: its dependencies, its files, and the game unpacked from it.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null &&
    [ -f "$build/CPackConfig.cmake" ]; then
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
        { cat "$work/cpack.log" >&2; fail "cpack -G DEB fails"; }
    deb=$(ls "$work"/package/zem_*.deb 2>/dev/null | head -n1)
    if [ -n "$deb" ]; then
        depends=$(dpkg-deb -f "$deb" Depends)
        for dependency in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins libc6; do
            grep -q "\b$dependency\b" <<<"$depends" || fail "the package does not depend on $dependency: $depends"
        done
        [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
        [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
        grep -q '\bqt6-wayland\b' <<<"$(dpkg-deb -f "$deb" Recommends)" ||
            fail "the package does not recommend qt6-wayland"
        # The same files, with the programs where Debian keeps games.
        dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$work/packaged"
        sed 's|^bin/|games/|' "$work/expected" | sort >"$work/expected-package"
        diff -u "$work/expected-package" "$work/packaged" ||
            fail "the package's files differ from the installed tree"
        # Debian's checker: no error and no warning.
        status=0
        lintian --no-cfg --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
        if [ "$status" != 0 ] || grep -qE '^[EW]: ' "$work/lintian.log"; then
            cat "$work/lintian.log" >&2
            fail "lintian reports errors or warnings (status $status)"
        fi
        dpkg -x "$deb" "$work/root"
        out=$(run_installed "$work/root/usr/games/zem" --version) || fail "the packaged zem --version fails"
        [ "$out" = "zem $version" ] || fail "the packaged zem --version says '$out'"
    else
        fail "cpack made no zem_*.deb"
    fi
else
    echo "note: cpack, dpkg-deb or dpkg-shlibdeps missing: the Debian package is not checked"
fi

finish "install tree, desktop entry, metainfo, manual pages, documents, programs and package: all good"
