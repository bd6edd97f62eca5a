#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/spdx on a small repository of its own: --check names exactly the source files that lack the licence
# line; the fix puts the line in each file's comment form without breaking a shebang, an XML declaration or a
# roff hint, leaves data files, links and untracked files alone, keeps the file modes and adds nothing twice.
# Usage: check_spdx.sh <scripts/spdx>
set -euo pipefail
spdx=$(realpath "$1")
. "$(dirname "$0")/checks.sh"
tag='SPDX-License-Identifier: GPL-3.0-or-later'

repo=$work/repo
mkdir -p "$repo/src" "$repo/data" "$work/outside"
cd "$repo"
printf '// Adds.\nint add(int a, int b) { return a + b; }\n' >src/add.cpp
printf '// %s\n// Already licensed.\n' "$tag" >src/done.h
printf '#!/bin/sh\necho ran\n' >src/run
chmod 755 src/run
printf '<?xml version="1.0"?>\n<svg xmlns="http://www.w3.org/2000/svg"/>\n' >src/icon.svg
printf "'\\\\\" t\n.TH X 6\n" >src/page.6
printf 'project(x)\n' >CMakeLists.txt
printf '[player1]\nbank=5\n' >data/store.ini
printf '// Outside the repository.\n' >"$work/outside/target.h"
ln -s "$work/outside/target.h" src/link.h
git init -q . && git add . && git -c user.name=t -c user.email=t@t commit -qm init
printf '// Untracked.\n' >src/untracked.cpp

listed=$("$spdx" --check "$repo" | sort | tr '\n' ' ') && fail "--check passes with files lacking the line"
[ "$listed" = "CMakeLists.txt src/add.cpp src/icon.svg src/page.6 src/run " ] || fail "--check lists '$listed'"

"$spdx" "$repo" >/dev/null
"$spdx" --check "$repo" >/dev/null || fail "--check still fails after the fix"
[ "$(sed -n 1p src/add.cpp)" = "// $tag" ] || fail "add.cpp: $(sed -n 1p src/add.cpp)"
[ "$(sed -n 2p src/add.cpp)" = "// Adds." ] || fail "add.cpp lost its first line"
[ "$(sed -n 2p src/run)" = "# $tag" ] || fail "the script's line is not after its shebang"
[ "$(src/run)" = ran ] || fail "the script no longer runs"
[ "$(sed -n 1p src/icon.svg)" = '<?xml version="1.0"?>' ] || fail "the XML declaration is not first any more"
[ "$(sed -n 2p src/icon.svg)" = "<!-- $tag -->" ] || fail "icon.svg: $(sed -n 2p src/icon.svg)"
[ "$(sed -n 2p src/page.6)" = ".\\\" $tag" ] || fail "page.6: $(sed -n 2p src/page.6)"
[ "$(sed -n 1p CMakeLists.txt)" = "# $tag" ] || fail "CMakeLists.txt: $(sed -n 1p CMakeLists.txt)"
[ "$(grep -c SPDX src/done.h)" = 1 ] || fail "done.h got the line twice"
grep -q SPDX data/store.ini && fail "a data file was changed"
grep -q SPDX "$work/outside/target.h" && fail "a file was written through a link"
grep -q SPDX src/untracked.cpp && fail "an untracked file was changed"
before=$(git diff | md5sum)
"$spdx" "$repo" >/dev/null
[ "$(git diff | md5sum)" = "$before" ] || fail "a second run changed the files again"

finish "scripts/spdx: all good"
