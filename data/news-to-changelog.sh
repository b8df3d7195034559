#!/bin/sh
# Writes the Debian changelog of the package from the release notes
# (NEWS.md): each "## VERSION (YYYY-MM-DD)" heading becomes an entry, each
# bullet an item. Fails when the newest release is not VERSION.
#
#   news-to-changelog.sh NEWS.md VERSION "NAME <MAIL>" OUT
set -eu
news=$1 version=$2 maintainer=$3 out=$4
newest=$(sed -n 's/^## \([^ ]*\) (.*/\1/p' "$news" | head -n 1)
if [ "$newest" != "$version" ]; then
    echo "news-to-changelog.sh: the newest release in $news is '$newest', the package is $version:" \
         "add a heading '## $version (YYYY-MM-DD)'" >&2
    exit 1
fi
awk -v maint="$maintainer" '
function trailer() {
    if (version == "") return
    cmd = "LC_ALL=C date -u -R -d " day " 2>/dev/null"
    stamp = ""
    cmd | getline stamp
    close(cmd)
    if (stamp == "") { print "news-to-changelog.sh: bad date " day > "/dev/stderr"; exit 1 }
    print ""
    print " -- " maint "  " stamp
}
/^## / {
    trailer()
    if (version != "") print ""
    version = $2
    day = $3; gsub(/[()]/, "", day)
    print "k52util (" version ") unstable; urgency=medium"
    print ""
    next
}
version == "" { next }
/^- / { print "  * " substr($0, 3); next }
/^  +[^ ]/ { sub(/^ +/, ""); print "    " $0; next }
END { trailer() }
' "$news" >"$out"
