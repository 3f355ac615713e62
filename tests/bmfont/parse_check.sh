#!/bin/sh
# The four descriptor forms of one font, read by the reference parsers
# (parse.js), must give the same object; so must the four forms of the font
# without kerning. Then the four forms glyphsheet-cli exports for a project
# must agree with its glyph table (the tga-xml export) cell for cell, and
# DejaVu Sans must kern "AV" and "To". Skipped (exit 77) without node or the
# parsers.
#   parse_check.sh BMFONT_FIXTURE SOURCE_DIR GLYPHSHEET_CLI
set -eu
fixture=$1 here=$2 cli=$3
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

# Exports of one sheet, with borders, € and characters off a small sheet.
cd "$work"
"$cli" new -o sheet.fnt --face "DejaVu Sans" --size 14 --smoothing 2 --borders 1,2,0,1 \
  --width 128 --height 64 --chars "AVTo€ab!{}WMQ@%&" >/dev/null
"$cli" export sheet.fnt -o table >/dev/null 2>&1
for form in text:fnt xml:xml binary:fnt json:json; do
  name=${form%%:*}
  "$cli" export sheet.fnt --format "bmfont-$name" -o "bm-$name" >/dev/null 2>&1
  node "$here/parse.js" "$name" "bm-$name.${form#*:}" >"bm-$name.parsed"
  if ! node "$here/match_table.js" table.xml "bm-$name.parsed"; then
    echo "FAIL: bmfont-$name does not match the glyph table" >&2
    status=1
  fi
  if ! grep -q '"file": *"bm-'"$name"'.png"\|"bm-'"$name"'.png"' "bm-$name.parsed"; then
    echo "FAIL: bmfont-$name does not name its page bm-$name.png" >&2
    status=1
  fi
done
# "AV" and "To" pull together: negative kerning for 65,86 and 84,111.
for pair in '"first": 65,\s*"second": 86,\s*"amount": -' '"first": 84,\s*"second": 111,\s*"amount": -'; do
  if ! tr -d '\n' <bm-json.parsed | grep -Eq "$pair"; then
    echo "FAIL: no negative kerning matching $pair" >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "the exported forms match the glyph table"
exit "$status"
