#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-layers on the game's own tree (which keeps its layers) and on a small tree of its own: an include
# of a higher layer or of another folder of the same layer fails, naming the file, its line and the include; an
# include beside the file, of a lower layer, or from the tests passes.
# Usage: check_layers.sh <scripts/check-layers> <the game's source folder>
set -euo pipefail
layers=$(realpath "$1")
. "$(dirname "$0")/checks.sh"

"$layers" "$2" || fail "the game's own tree breaks its layers"

tree=$work/tree
mkdir -p "$tree/core" "$tree/play" "$tree/gamble" "$tree/presentation" "$tree/tests"
printf '#pragma once\n' >"$tree/core/reels.h"
printf '#pragma once\n' >"$tree/play/machine.h"
printf '#pragma once\n' >"$tree/presentation/line_flash.h"
printf '#include "machine.h"\n#include "core/reels.h"\n' >"$tree/play/machine.cpp"
printf '#include "play/machine.h"\n' >"$tree/tests/machine_test.cpp"
printf '#include "core/reels.h"\n#include <vector>\n' >"$tree/gamble/gamble.cpp"
"$layers" "$tree" || fail "a tree that keeps its layers fails"

printf '// a reel\n#include "play/machine.h"\n' >"$tree/core/reels.cpp"
printf '#include "presentation/line_flash.h"\n' >>"$tree/gamble/gamble.cpp"
said=$("$layers" "$tree") && fail "includes against the layers pass"
expected='core/reels.cpp:2: includes "play/machine.h" of play/, a layer above core/
gamble/gamble.cpp:3: includes "presentation/line_flash.h" of presentation/, the same layer as gamble/'
[ "$said" = "$expected" ] || fail "check-layers said: $said"

finish "scripts/check-layers: all good"
