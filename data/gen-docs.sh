#!/bin/sh
# Writes the manual pages and the bash completion from the programs' own
# help output, so that every command and option the programs know is
# documented and completed, and nothing they do not know.
#
#   gen-docs.sh K52UTIL K52SIM DATADIR OUTDIR VERSION
#
# OUTDIR receives k52util.1, k52sim.1 (and gzipped for installing) and
# k52util.bash.
set -eu
util=$1 sim=$2 data=$3 out=$4 version=$5
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The programs print defaults below the home folder: run them with a marker
# for a home and write it back as "~".
home_marker=/K52-HOME-MARKER
run() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME=$home_marker QT_QPA_PLATFORM=offscreen LANGUAGE=en "$@"; }

# Qt help text (Usage line, description, "Options:" and "Arguments:"
# sections) to roff. $1: what the page calls the command ("k52util clone").
help_to_roff() {
    awk -v name="$1" -v marker="$home_marker" '
    function opt(s) { gsub(/-/, "\\-", s); return s }
    # Escapes roff specials; words that start with a dash are options.
    function text(s,   r, t, pre) {
        gsub(/\\/, "\\e", s)
        gsub(marker, "~", s)
        r = ""
        while (match(s, /(^|[ (])--?[A-Za-z][-A-Za-z]*/)) {
            t = substr(s, RSTART, RLENGTH)
            pre = t ~ /^[ (]/ ? substr(t, 1, 1) : ""
            r = r substr(s, 1, RSTART - 1) pre "\\fB" opt(substr(t, length(pre) + 1)) "\\fR"
            s = substr(s, RSTART + RLENGTH)
        }
        r = r s
        if (r ~ /^[.\047]/) r = "\\&" r
        return r
    }
    # "--port <port>" or "--clone-in, --image <FILE>": names bold, value italic.
    function spec(s,   v) {
        v = ""
        if (match(s, /<[^>]*>/)) { v = substr(s, RSTART + 1, RLENGTH - 2); s = substr(s, 1, RSTART - 1) }
        sub(/ +$/, "", s)
        s = "\\fB" opt(s) "\\fR"
        gsub(/, /, "\\fR, \\fB", s)
        return v == "" ? s : s " \\fI" v "\\fR"
    }
    function flush() { if (entry != "") print ".TP\n" entry "\n" desc; entry = "" }
    NR == 1 {
        sub(/^Usage: [^ ]+ */, "")
        print ".SS \"" name (length($0) ? " " $0 : "") "\""
        section = "about"; next
    }
    /^$/ { flush(); if (section == "table") { print ".fi\n.RE"; section = "about" } next }
    /^(Options|Arguments):$/ {
        flush()
        if (section == "table") print ".fi\n.RE"
        section = $0
        if (section == "Arguments:") print ".PP\nArguments:"
        next
    }
    section == "about" && /^  / { print ".PP\n.RS\n.nf"; section = "table" }
    section == "table" { print text($0); next }
    section == "about" { print text($0); next }
    # Option and argument lists: an entry starts at column 3, its text
    # follows after two spaces or more; deeper lines continue the text.
    /^  [^ ]/ {
        flush()
        line = substr($0, 3)
        if (match(line, /  +/)) { left = substr(line, 1, RSTART - 1); desc = text(substr(line, RSTART + RLENGTH)) }
        else { left = line; desc = "" }
        if (left ~ /--help/) { left = ""; next }
        entry = section == "Options:" ? spec(left) : "\\fI" opt(left) "\\fR"
        next
    }
    /^   / { if (entry != "") { sub(/^ +/, ""); desc = desc " " text($0) } next }
    END { flush(); if (section == "table") print ".fi\n.RE" }
    '
}

# Long options of a help text, one a line; "=" marks those taking a value.
help_options() {
    awk '/^Options:$/ { on = 1; next } /^$/ { on = 0 }
         on && /^  -/ {
             line = $0; sub(/^ +/, "", line); sub(/  .*/, "", line)
             value = line ~ /</
             n = split(line, w, /[ ,]+/)
             for (i = 1; i <= n; i++)
                 if (w[i] ~ /^--/ && w[i] != "--help-all") print w[i] (value ? "=" : "")
         }'
}

# Words a command takes first: "read|write" in its Usage line, or the
# "  word  text" table of its description.
help_keywords() {
    awk 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^[a-z-]+(\|[a-z-]+)+$/) { gsub(/\|/, " ", $i); print $i } next }
         /^(Options|Arguments):$/ { exit }
         /^  [a-z]/ { print $1 }'
}

# Options before the command, from the usage line: "[--db FILE]".
usage=$(run "$util" help | head -n 1)
global_opts=$(echo "$usage" | grep -o '\[--[a-z-]*[^][]*\]' | sed 's/^\[\(--[a-z-]*\).*/\1/')
global_values=$(echo "$usage" | grep -o '\[--[a-z-]* [^][]*\]' | sed 's/^\[\(--[a-z-]*\).*/\1/')

commands=$(run "$util" help | awk '/^Commands:$/ { on = 1; next } /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || { echo "gen-docs.sh: $util help lists no commands" >&2; exit 1; }

# k52util.1: the command sections go where the page says @COMMANDS@.
: >"$work/commands.roff"
cmd_opts="" cmd_values="" cmd_words=""
for c in $commands; do
    run "$util" "$c" --help >"$work/help"
    help_to_roff "k52util $c" <"$work/help" >>"$work/commands.roff"
    opts=$(help_options <"$work/help")
    cmd_opts="$cmd_opts    $c) echo \"$(echo $opts | sed 's/=//g')\" ;;
"
    values=$(echo "$opts" | sed -n 's/=$//p')
    [ -z "$values" ] || cmd_values="$cmd_values $values"
    words=$(help_keywords <"$work/help" | tr '\n' ' ' | sed 's/ $//')
    [ -z "$words" ] || cmd_words="$cmd_words    $c) echo \"$words\" ;;
"
done

run "$sim" --help >"$work/simhelp"
{ echo Usage:; sed -n "/^Options:$/,\$p" "$work/simhelp"; } | help_to_roff k52sim | sed 1d >"$work/sim.roff"
sim_opts=$(help_options <"$work/simhelp")
sim_values=$(echo "$sim_opts" | sed -n 's/=$//p' | tr '\n' ' ')

fill_page() { # template output fragment
    sed -e "s/@VERSION@/$version/g" -e "/^@GENERATED@$/r $3" -e '/^@GENERATED@$/d' "$1" >"$2"
}
fill_page "$data/k52util.1.in" "$out/k52util.1" "$work/commands.roff"
fill_page "$data/k52sim.1.in" "$out/k52sim.1" "$work/sim.roff"
for page in k52util k52sim; do gzip -9n -c "$out/$page.1" >"$out/$page.1.gz"; done

{
    sed -n '1,/^# @GENERATED@$/p' "$data/k52util.bash.in" | sed '$d'
    echo "_k52util_commands=\"$(echo $commands)\""
    echo "_k52util_global_options=\"$(echo $global_opts)\""
    echo "_k52util_value_options=\"$(echo $global_values $cmd_values | tr ' ' '\n' | sort -u | tr '\n' ' ' | sed 's/ $//')\""
    printf '_k52util_command_options() {\n    case $1 in\n%s    esac\n}\n' "$cmd_opts"
    printf '_k52util_command_words() {\n    case $1 in\n%s    esac\n}\n' "$cmd_words"
    echo "_k52sim_options=\"$(echo $sim_opts | sed 's/=//g')\""
    echo "_k52sim_value_options=\"$(echo $sim_values)\""
    sed -n '/^# @GENERATED@$/,$p' "$data/k52util.bash.in" | sed '1d'
} >"$out/k52util.bash"
