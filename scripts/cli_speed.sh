#!/usr/bin/env bash
# Whole-process speed of glyphsheet-cli, medians with hyperfine: an export of
# the printable ASCII characters at 11 pt (1x1, 256 x 256) from a font file
# and from an installed typeface, next to the program doing nothing
# (--version) and to fontconfig's own lookup of the typeface (fc-match).
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
  -n "export, --face" "$cli export --face 'DejaVu Sans' --chars-file ascii.txt -o b" > /dev/null
python3 - <<'PY'
import json
results = {r["command"]: r for r in json.load(open("times.json"))["results"]}
base = results["version"]["median"]
print(f"{'command':24} {'median ms':>10} {'x --version':>12}")
for name, r in results.items():
    print(f"{name:24} {r['median'] * 1000:10.2f} {r['median'] / base:12.2f}")
PY
