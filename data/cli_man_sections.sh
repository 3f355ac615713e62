#!/bin/sh
# Writes the sections help2man adds to the command line's man page, made
# from the program's own help: the usage lines one per line, the program's
# options, every command with its options (each COMMAND --help), and the
# exit status.
#   cli_man_sections.sh PROGRAM OUTPUT.h2m
set -eu
program=$1 output=$2
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" --help > "$work/top"
# The commands are the first words of the lines under "Subcommands:".
commands=$(awk '/^[^ ].*:$/ { here = $0 == "Subcommands:"; next }
                here && /^  [^ ]/ { print $1 }' "$work/top")
[ -n "$commands" ] || { echo "$program --help names no command" >&2; exit 1; }
# "help --help" is the program's own help, already in the page.
for command in $commands; do
  "$program" "$command" --help > "$work/one"
  cmp -s "$work/one" "$work/top" || { echo "@command $command"; cat "$work/one"; } >> "$work/commands"
done

# CLI11's help: a heading line ending in ":" starts a list of entries, each
# "  NAME VALUE   what it does" (what it does on the next line, indented
# further, when the name is long); an empty line ends the list. Other lines
# are text.
awk -v name="$name" -v topfile="$work/top" '
  function roff(text) {
    gsub(/\\/, "\\e", text); gsub(/-/, "\\-", text)
    if (text ~ /^[.\047]/) text = "\\&" text
    return text
  }
  # An option'"'"'s tag: its names in bold, its value as it is.
  function tag(spec,    words, n, i, out, names, k, j) {
    n = split(spec, words, / +/)
    out = ""
    for (i = 1; i <= n; i++) {
      if (i == 1 && words[i] ~ /^-/) {
        k = split(words[i], names, ",")
        for (j = 1; j <= k; j++) out = out (j > 1 ? ", " : "") "\\fB" roff(names[j]) "\\fR"
      } else {
        out = out (out == "" ? "" : " ") roff(words[i])
      }
    }
    return out
  }
  function entry(line,    spec, what) {
    sub(/^  /, "", line)
    if (match(line, /  +/)) {
      spec = substr(line, 1, RSTART - 1); what = substr(line, RSTART + RLENGTH)
    } else {
      spec = line; what = ""
    }
    body = body ".TP\n" tag(spec) "\n" (what == "" ? "" : roff(what) "\n")
  }
  # One help text (lines[1..count]) as roff: the lists in body, the text
  # in text, the usage lines in usage, the exit status in status.
  function parse(    i, line, list, inUsage) {
    body = ""; text = ""; usage = ""; status = ""; list = ""; inUsage = 0
    for (i = 3; i <= count; i++) {
      line = lines[i]
      if (line == "") { list = ""; inUsage = 0; continue }
      if (line == "usage:") { inUsage = 1; continue }
      if (inUsage) { sub(/^ +/, "", line); usage = usage roff(line) "\n.br\n"; continue }
      if (line ~ /^[^ ].*:$/) {
        list = line
        if (list != "Options:" && list != "Subcommands:") {
          body = body ".PP\n" roff(toupper(substr(list, 1, 1)) substr(list, 2)) "\n"
        }
        continue
      }
      if (list == "Subcommands:") continue
      if (list != "" && line ~ /^   /) { sub(/^ +/, "", line); body = body roff(line) "\n"; continue }
      if (list != "") { entry(line); continue }
      if (line ~ /^usage: /) { usage = roff(substr(line, 8)) "\n"; continue }
      if (line ~ /^exit status: /) { status = roff(substr(line, 14)) "\n"; continue }
      text = text roff(line) "\n"
    }
  }
  function command(    heading) {
    parse()
    heading = usage == "" ? roff(name " " current) "\n" : usage
    printf ".SS \"%s\"\n%s\n.PP\n%s%s", substr(heading, 1, length(heading) - 1), roff(lines[1]),
           (text == "" ? "" : text ".PP\n"), body
  }
  BEGIN {
    count = 0
    while ((getline line < topfile) > 0) lines[++count] = line
    parse()
    printf "[SYNOPSIS]\n%s[=OPTIONS]\n%s.PP\n%s[COMMANDS]\n", usage, body, text
    topStatus = status
    count = 0
  }
  /^@command / { if (count) command(); current = $2; count = 0; next }
  { lines[++count] = $0 }
  END {
    if (count) command()
    if (topStatus != "") printf "[EXIT STATUS]\n%s", topStatus
  }' "$work/commands" > "$output"
