#!/bin/sh
# Makes examples/ascii.fnt, the project `make demo` exports: DejaVu Sans at
# 20 pt with one-pixel borders, the printable ASCII codes 32..126, on a
# 256 x 256 sheet that holds them all.
#   examples/make_ascii.sh [path/to/glyphsheet-cli]
set -e
cli=${1:-build/src/cli/glyphsheet-cli}
chars=$(awk 'BEGIN { for (c = 32; c < 127; c++) printf "%c", c }')
"$cli" new -o examples/ascii.fnt --face "DejaVu Sans" --size 20 --borders 1,1,1,1 \
  --width 256 --height 256 --chars "$chars"
