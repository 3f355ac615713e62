#!/bin/sh
# The four descriptor forms of one font, read by the reference parsers
# (parse.js), must give the same object; so must the four forms of the font
# without kerning. Skipped (exit 77) without node or the parsers.
#   parse_check.sh BMFONT_FIXTURE SOURCE_DIR
set -eu
fixture=$1 here=$2
if ! command -v node >/dev/null || [ ! -d "$here/node_modules" ]; then
  echo "skipped: node or tests/bmfont/node_modules missing (run npm ci in tests/bmfont)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$fixture" "$work"
status=0
for set in "" -plain; do
  node "$here/parse.js" text "$work/text$set.fnt" >"$work/text$set.parsed"
  for form in xml:xml binary:fnt json:json; do
    name=${form%%:*}
    node "$here/parse.js" "$name" "$work/$name$set.${form#*:}" >"$work/$name$set.parsed"
    if ! diff -u "$work/text$set.parsed" "$work/$name$set.parsed"; then
      echo "FAIL: $name$set reads otherwise than text$set" >&2
      status=1
    fi
  done
done
[ "$status" = 0 ] && echo "the four forms read alike, with and without kerning"
exit "$status"
