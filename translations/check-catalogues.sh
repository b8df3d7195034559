#!/bin/sh
# Fails when a catalogue leaves a message of the sources untranslated: each
# .ts is brought up to date with the sources in a scratch copy (as the
# k52util_lupdate target does), and no message may then be unfinished or
# missing its translation.
#
#   check-catalogues.sh LUPDATE SRC_DIR CATALOGUE.ts...
set -u
lupdate=$1 src=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
[ $# -gt 0 ] || { echo "FAIL: no catalogue given" >&2; exit 1; }
for ts in "$@"; do
    copy=$work/$(basename "$ts")
    cp "$ts" "$copy"
    "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h "$src" -ts "$copy" >"$work/log" 2>&1 ||
        { cat "$work/log" >&2; echo "FAIL: lupdate $ts" >&2; status=1; continue; }
    messages=$(grep -c '<message' "$copy")
    [ "$messages" -gt 0 ] || { echo "FAIL: $ts holds no message" >&2; status=1; }
    # An unfinished or empty translation, with its source text.
    awk -v ts="$(basename "$ts")" '
        /<source>/ { source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source) }
        /<translation type="unfinished"|<translation\/>|<translation><\/translation>/ {
            print "FAIL: " ts ": not translated: " source; bad = 1
        }
        END { exit bad }' "$copy" >&2 || status=1
    echo "$(basename "$ts"): $messages messages"
done
exit $status
