#!/bin/sh
# Fails when a source file includes a header of a folder above its own or
# beside it (another folder of the same rank), when the command line
# includes a window header, when a folder has no rank yet, when two files
# (file pairs x.h/x.cpp) of one folder include each other, or when the core
# or the command line includes Qt Gui or Qt Widgets.
# Folders, bottom to top:
#   1 core/profile
#   2 core/link
#   3 core/programming, core/maintenance, core/rules, core/terminal,
#     core/session,
#     core/reference
#   4 window/ui
#   5 window/report, window/programming, window/maintenance,
#     window/reference, window/screens; cli
#   6 window/app
#   7 app (the program's entry)
# Usage: scripts/check_layers.sh [SRC_DIR]
src=${1:-"$(dirname "$0")/../src"}
rc=0
find "$src" -name '*.h' -o -name '*.cpp' | sort | xargs grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' |
awk -v src="$src" '
function rank(d) {
    if (d == "core/profile") return 1
    if (d == "core/link") return 2
    if (d ~ /^core\/(programming|maintenance|rules|terminal|reference|session)$/) return 3
    if (d == "window/ui") return 4
    if (d ~ /^window\/(report|programming|maintenance|reference|screens)$/ || d == "cli") return 5
    if (d == "window/app") return 6
    if (d == "app") return 7
    return 0
}
function dirname(p) { if (p !~ /\//) return "."; sub(/\/[^\/]*$/, "", p); return p }
function unit(p) { sub(/\.[a-z]+$/, "", p); return p }
{
    file = $0; sub(/:.*/, "", file)
    rel = substr(file, length(src) + 2); me = dirname(rel)
    inc = $0; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
    target = inc ~ /\// ? inc : me "/" inc
    dir = dirname(target)
    if (!rank(me)) {
        if (!(me in unranked)) { unranked[me] = 1; print me " has no rank: give the folder one here"; bad++ }
        next
    }
    if (!rank(dir)) next
    if (dir == me) {
        a = unit(rel); b = unit(target)
        if (a != b) {
            edge[a SUBSEP b] = 1
            if ((b SUBSEP a) in edge && !((a SUBSEP b) in told)) {
                print a " and " b " include each other"; told[a SUBSEP b] = told[b SUBSEP a] = 1; bad++
            }
        }
    } else if (rank(dir) > rank(me)) {
        print rel " includes " inc " (" dir " is above " me ")"; bad++
    } else if (rank(dir) == rank(me)) {
        print rel " includes " inc " (" dir " is beside " me ")"; bad++
    } else if (me == "cli" && dir ~ /^window\//) {
        print rel " includes " inc " (the command line draws no window)"; bad++
    }
}
END { if (bad) { print bad " layer fault(s)"; exit 1 } }' || rc=1
if grep -rn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(QtGui|QtWidgets|QtPrintSupport)|^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q(Application|GuiApplication|Widget|Painter|PdfWriter|Font|Color|Image|Pixmap|Icon|Screen)>' "$src/core" "$src/cli"; then
    echo "the core and the command line use Qt Core, SerialPort, Network and Sql only"
    rc=1
fi
exit $rc
