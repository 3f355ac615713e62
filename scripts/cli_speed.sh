#!/usr/bin/env bash
# Whole-process speed of glyphsheet-cli, medians with hyperfine: an export of
# the printable ASCII characters at 11 pt (1x1, 256 x 256; scenario a) from a
# font file and from an installed typeface, and at 32 pt (4x4, 512 x 512;
# scenario b) from the font file, next to the program doing nothing
# (--version) and to fontconfig's own lookup of the typeface (fc-match).
# Files go to TMPDIR (a RAM disk with TMPDIR=/dev/shm).
#   scripts/cli_speed.sh PROGRAM
set -euo pipefail
cli=$(realpath "$1")
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
chars=$(printf '%s' ' !"#$%&'"'"'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\]^_`abcdefghijklmnopqrstuvwxyz{|}~')
printf '%s' "$chars" > ascii.txt
# A warm fontconfig cache, as on a machine in use.
fc-match "DejaVu Sans" > /dev/null
hyperfine --style basic --warmup 5 --min-runs 40 --export-json times.json \
  -n "version" "$cli --version" \
  -n "fc-match" "fc-match 'DejaVu Sans'" \
  -n "export, --font-file" "$cli export --font-file $font --chars-file ascii.txt -o a" \
  -n "export, --face" "$cli export --face 'DejaVu Sans' --chars-file ascii.txt -o b" \
  -n "export b, --font-file" "$cli export --font-file $font --size 32 --smoothing 4 \
      --width 512 --height 512 --chars-file ascii.txt -o c" > /dev/null
# Scenario (b) (32 pt, smoothing 4, codes 32..126, 512 x 512) exported as
# the TGA and XML, and as the BMFont page (PNG) with and without kerning.
"$cli" new -o b.fnt --face "DejaVu Sans" --size 32 --smoothing 4 --width 512 --height 512 \
  --chars-file ascii.txt > /dev/null
hyperfine --style basic --warmup 5 --min-runs 40 --export-json formats.json \
  -n "tga-xml" "$cli export b.fnt -o tb" \
  -n "bmfont, --kerning off" "$cli export b.fnt --format bmfont-text --kerning off -o pb" \
  -n "bmfont-text" "$cli export b.fnt --format bmfont-text -o kb" > /dev/null
# Scenario (h): Big5's frequently used hanzi and ASCII in WenQuanYi Micro Hei
# at 24 pt, --fit --max-size 2048 (two 2048 x 2048 pages), as the BMFont
# text form without and with kerning; then the peak resident memory of each.
big="$cli export --face 'WenQuanYi Micro Hei' --size 24 --charset big5-level1 --charset ascii \
  --fit --max-size 2048 --format bmfont-text"
hyperfine --style basic --warmup 2 --min-runs 10 --export-json big5.json \
  -n "h, --kerning off" "$big --kerning off -o h1" \
  -n "h, kerning" "$big -o h2" > /dev/null
for kerning in off on; do
  /usr/bin/time -f "%M" -o rss.txt bash -c "$big --kerning $kerning -o h3" > /dev/null
  echo "h, kerning $kerning: peak resident memory $(( $(cat rss.txt) / 1024 )) MB"
done
python3 - <<'PY'
import json
def table(file, base_name, title):
    results = {r["command"]: r for r in json.load(open(file))["results"]}
    base = results[base_name]["median"]
    print(f"{'command':24} {'median ms':>10} {title:>12}")
    for name, r in results.items():
        print(f"{name:24} {r['median'] * 1000:10.2f} {r['median'] / base:12.2f}")
table("times.json", "version", "x --version")
print()
table("formats.json", "tga-xml", "x tga-xml")
print()
table("big5.json", "h, --kerning off", "x no kerning")
PY
