#!/usr/bin/env bash
# Starts the desktop program on a virtual display, adds the printable ASCII
# characters and writes a picture of the window, in its own Traditional
# Chinese or, with LANGUAGE=en, in English. Further arguments go to the
# program (-qwindowgeometry 1000x720 for a larger window, say).
#   [LANGUAGE=en] scripts/screenshot.sh PROGRAM OUTPUT.png [PROGRAM ARGUMENTS]
set -euo pipefail
program=${1:?usage: screenshot.sh PROGRAM OUTPUT.png}
output=${2:?usage: screenshot.sh PROGRAM OUTPUT.png}
shift 2

# Only DejaVu (the sheet) and WenQuanYi (the labels), so the picture is the
# same on every machine.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <dir>/usr/share/fonts/truetype/wqy</dir>
  <cachedir>$work/cache</cachedir>
</fontconfig>
CONF

ascii=$(printf '%b' "$(printf '\\%03o' $(seq 32 126))")
LANGUAGE=${LANGUAGE:-zh_TW} LC_ALL=C.UTF-8 \
  FONTCONFIG_FILE="$work/fonts.conf" XDG_RUNTIME_DIR="$work" \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$program" --face "DejaVu Sans" --add-chars "$ascii" --screenshot "$output" "$@"
echo "wrote $output"
