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

# A distance-field sheet's record reaches the readers that keep it: the text
# and JSON parsers (parse-bmfont-xml keeps only the blocks it knows).
"$cli" export --chars "Ol" --distance-field 4 --format bmfont-text -o field >/dev/null 2>&1
"$cli" export --chars "Ol" --distance-field 4 --format bmfont-json -o field >/dev/null 2>&1
for form in text:fnt json:json; do
  if ! node "$here/parse.js" "${form%%:*}" "field.${form#*:}" | tr -d ' \n' |
      grep -q '"distanceField":{"fieldType":"sdf","distanceRange":8}'; then
    echo "FAIL: the ${form%%:*} parser does not read the distance-field record" >&2
    status=1
  fi
done

# Three pages of 128 x 64: every form names the three page files, lists every
# glyph once, in list order, each on a page that exists; the forms read alike.
"$cli" export --face "DejaVu Sans" --size 14 --width 128 --height 64 --chars "$(printf '%s' \
  'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789')" \
  --format bmfont-text --kerning off -o pages-text >/dev/null 2>&1
for form in xml:xml binary:fnt json:json; do
  name=${form%%:*}
  "$cli" export --face "DejaVu Sans" --size 14 --width 128 --height 64 --chars "$(printf '%s' \
    'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789')" \
    --format "bmfont-$name" --kerning off -o "pages-$name" >/dev/null 2>&1
done
for form in text:fnt xml:xml binary:fnt json:json; do
  name=${form%%:*}
  node "$here/parse.js" "$name" "pages-$name.${form#*:}" >"pages-$name.parsed"
  if ! node -e '
    const font = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"))
    const name = process.argv[2]
    const files = font.pages.map(String)
    const want = [0, 1, 2].map((i) => `pages-${name}_${i}.png`)
    const ids = font.chars.map((c) => c.id)
    const text = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
    const pages = font.chars.map((c) => c.page)
    const ok = JSON.stringify(files) === JSON.stringify(want) && font.common.pages === 3 &&
      JSON.stringify(ids) === JSON.stringify([...text].map((c) => c.codePointAt(0))) &&
      pages.every((p, i) => p >= 0 && p < 3 && (i === 0 || p >= pages[i - 1])) &&
      new Set(pages).size === 3 && want.every((f) => require("fs").existsSync(f))
    if (!ok) { console.error(JSON.stringify({ files, pages: font.common.pages, ids, pages })); process.exit(1) }
  ' "pages-$name.parsed" "$name"; then
    echo "FAIL: bmfont-$name with three pages" >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "three-page exports read right in every form"
exit "$status"
