#!/bin/sh
# Installs the build into a scratch folder and checks what landed: every
# file in its place and nothing else, the menu entry and the metadata pass
# their validators, the manual pages render without warnings and cover
# every command, the completion completes, and the installed program runs
# on a fresh home without the source tree.
#
#   check-install.sh CMAKE BUILD_DIR APP_ID [LIBEXECDIR]
set -u
cmake=$1 build=$2 id=$3 libexecdir=${4:-libexec}
# The help is read in English, whatever the caller's language.
export LANGUAGE=en
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

DESTDIR=$root/dest "$cmake" --install "$build" --prefix /usr >"$root/install.log" 2>&1 ||
    { cat "$root/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
prefix=$root/dest/usr
desktop=share/applications/$id.desktop
icon=share/icons/hicolor/scalable/apps/$id.svg
metainfo=share/metainfo/$id.metainfo.xml
completion=share/bash-completion/completions

cat >"$root/expected" <<LIST
bin/k52sim
bin/k52util
$libexecdir/k52util/k52util-window
$completion/k52sim
$completion/k52util
$desktop
$icon
share/man/man1/k52sim.1.gz
share/man/man1/k52util.1.gz
$metainfo
share/doc/k52util/copyright
share/doc/k52util/changelog.gz
share/doc/k52util/THIRD_PARTY.md
share/k52util/translations/k52util_de.qm
LIST
(cd "$prefix" && find . -type f | sed 's|^\./||') | sort >"$root/landed"
sort "$root/expected" | diff -u - "$root/landed" >&2 || fail "installed files differ from the list (- missing, + unexpected)"

hints=$(desktop-file-validate "$prefix/$desktop" 2>&1) && [ -z "$hints" ] ||
    { echo "$hints" >&2; fail "desktop-file-validate $desktop"; }
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$prefix/$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "the menu entry starts '$exec_name', which is not installed"
icon_name=$(sed -n 's/^Icon=//p' "$prefix/$desktop")
[ "share/icons/hicolor/scalable/apps/$icon_name.svg" = "$icon" ] || fail "the menu entry's icon '$icon_name' is not installed"
file -b "$prefix/$icon" | grep -q SVG || fail "$icon is not an SVG image"
appstreamcli validate --no-net "$prefix/$metainfo" >"$root/as.log" 2>&1 ||
    { cat "$root/as.log" >&2; fail "appstreamcli validate $metainfo"; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/$metainfo" ||
    fail "the metadata does not launch $id.desktop"
# The newest release of the metadata is the newest of the changelog.
changes=$(gzip -dc "$prefix/share/doc/k52util/changelog.gz")
release=$(echo "$changes" | sed -n '1s/^k52util (\([^)]*\)).*/\1/p')
day=$(LC_ALL=C date -u -d "$(echo "$changes" | sed -n 's/^ -- .*>  //p' | head -n 1)" +%F)
grep -q "<release version=\"$release\" date=\"$day\"/>" "$prefix/$metainfo" ||
    fail "the metadata's newest release is not $release of $day, as NEWS.md says"

util=$prefix/bin/k52util
for page in k52util k52sim; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" >"$root/$page.txt" 2>"$root/warn" ||
        fail "man -l $page.1.gz"
    [ ! -s "$root/warn" ] || { cat "$root/warn" >&2; fail "$page.1 renders with warnings"; }
done
for c in $("$util" help | awk '/^Commands:$/ { on = 1; next } /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }'); do
    usage=$("$util" "$c" --help | head -n 1)
    case $usage in "Usage: k52util $c "*) ;; *) fail "'$c --help' begins '$usage'" ;; esac
    grep -q "^   k52util $c " "$root/k52util.txt" || fail "the manual page has no section for '$c'"
    for o in $("$util" "$c" --help | sed -n 's/^  .*\(--[a-z][-a-z]*\).*/\1/p' | grep -v -e '^--help'); do
        grep -q -- "$o" "$root/k52util.txt" || fail "the manual page does not describe '$c $o'"
    done
done
for o in $("$util" help | head -n 1 | grep -o '\[--[a-z-]*' | tr -d '['); do
    grep -q -- "^       $o" "$root/k52util.txt" || fail "the manual page does not describe '$o'"
done
grep -q "sudo usermod -aG dialout" "$root/k52util.txt" || fail "the manual page does not say how to join the serial group"
grep -q -- "--model MODEL" "$root/k52sim.txt" || fail "the k52sim page does not list its options"

# The installed program on a fresh home: the database goes to the user's
# data folder, with its "Default" profile.
home=$root/home
mkdir "$home"
run() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$@"; }
listed=$(run "$util" profiles list 2>&1) || fail "installed k52util profiles list: $listed"
[ "$listed" = Default ] || fail "installed k52util profiles list printed '$listed'"
[ -f "$home/.local/share/zor/K52v199.db" ] || fail "no database in the user's data folder"
# The installed catalogue is found from the installed program.
usage_de=$(run env LANGUAGE= LC_ALL= LANG=de_DE.UTF-8 "$util" help | head -n 1)
case $usage_de in Aufruf:*) ;; *) fail "installed k52util under LANG=de_DE.UTF-8 says '$usage_de'" ;; esac
other=$root/other.db
run "$util" --db "$other" profiles export Default "$root/default.json" >/dev/null &&
    run "$util" --db "$other" profiles import "$root/default.json" --as Shop >/dev/null ||
    fail "installed k52util could not export and import a profile"
# A report draws: k52util hands it to the installed window program, which
# finds the catalogue from k52util's folder.
said=$(run env LANGUAGE= LC_ALL= LANG=de_DE.UTF-8 "$util" --db "$other" history report 0 "$root/r.pdf" 2>&1)
case $said in *"die Zeilennummer und die Datei angeben"*) ;; *) fail "installed k52util history report said '$said'" ;; esac

# Completion: words typed so far, then what TAB must offer.
complete_line() {
    HOME="$home" bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        if [[ $1 == *k52sim ]]; then _k52sim; else _k52util; fi; echo "${COMPREPLY[*]}"' _ "$prefix/$completion/k52util" "$@"
}
expect_completion() {
    want=$1
    shift
    got=$(complete_line "$@")
    [ "$got" = "$want" ] || fail "completing '$*' gave '$got', not '$want'"
}
expect_completion "profiles program" "$util" pro
expect_completion "--db --help --version --verbose" "$util" --
expect_completion "--port --parity --ports" "$util" clone --p
expect_completion "read write" "$util" --db x.db clone ""
expect_completion "export" "$util" profiles ex
expect_completion "Default" "$util" profiles show D
expect_completion "Shop" "$util" --db "$other" profiles delete S
expect_completion "0 1 2 E O N" "$util" program --parity ""
expect_completion "K54 K54R" "$prefix/bin/k52sim" --model K54
expect_completion "--clone-in --clone-out --clone-short --clone-bad-ack" "$prefix/bin/k52sim" --clone

exit $status
