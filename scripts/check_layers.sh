#!/bin/sh
# Fails when a source file includes a header of a folder above its own.
# Layers, bottom to top: profile, link, ui, then programming, maintenance,
# reference and screens side by side, then cli, then app.
# Usage: scripts/check_layers.sh [SRC_DIR]
src=${1:-"$(dirname "$0")/../src"}
find "$src" -name '*.h' -o -name '*.cpp' | sort | xargs grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' |
awk -v src="$src" '
function rank(d) {
    if (d == "profile") return 1
    if (d == "link") return 2
    if (d == "ui") return 3
    if (d == "programming" || d == "maintenance" || d == "reference" || d == "screens") return 4
    if (d == "cli") return 5
    if (d == "app") return 6
    return 0
}
{
    file = $0; sub(/:.*/, "", file)
    rel = substr(file, length(src) + 2); me = rel; sub(/\/.*/, "", me)
    inc = $0; sub(/^[^"]*"/, "", inc); dir = inc; sub(/\/.*/, "", dir); sub(/".*/, "", inc)
    if (rank(me) && rank(dir) > rank(me)) { print rel " includes " inc " (" dir " is above " me ")"; bad++ }
}
END { if (bad) { print bad " include(s) run up the layers"; exit 1 } }'
