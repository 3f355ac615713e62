#!/usr/bin/env bash
# Installs the build into a temporary folder and checks what lands there:
# every file, the desktop entry and metainfo against their validators, the
# man pages (every command's options in the command line's), and the
# installed programs run from elsewhere.
#   install_check.sh CMAKE BUILD_DIR APP_ID MAN_PAGES(ON|OFF) SCREENSHOT
set -euo pipefail
cmake=$1 build=$2 id=$3 man_pages=$4 screenshot=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
have() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed (${*:2})"; false; }; }

DESTDIR="$work/root" "$cmake" --install "$build" --prefix /usr >"$work/install.log" ||
  { cat "$work/install.log"; fail "cmake --install"; }
usr=$work/root/usr
cli=$usr/bin/glyphsheet-cli
version=$("$cli" --version | sed 's/^glyphsheet-cli //')
desktop=share/applications/$id.desktop
metainfo=share/metainfo/$id.metainfo.xml
files=(bin/glyphsheet bin/glyphsheet-cli "$desktop" "$metainfo"
       "share/icons/hicolor/scalable/apps/$id.svg" share/doc/glyphsheet/screenshot.png)
if [ "$man_pages" = ON ]; then
  files+=(share/man/man1/glyphsheet.1 share/man/man1/glyphsheet-cli.1)
else
  echo "SKIP: man pages (help2man was not found when configuring)"
fi
for file in "${files[@]}"; do [ -s "$usr/$file" ] || fail "$file is not installed"; done
for program in glyphsheet glyphsheet-cli; do [ -x "$usr/bin/$program" ] || fail "$program cannot run"; done
cmp -s "$screenshot" "$usr/share/doc/glyphsheet/screenshot.png" || fail "screenshot differs"
# The three parts a desktop finds each other by.
grep -qx "Icon=$id" "$usr/$desktop" || fail "desktop entry names another icon"
grep -q "<id>$id</id>" "$usr/$metainfo" || fail "metainfo has another id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/$metainfo" ||
  fail "metainfo launches another desktop entry"

if have desktop-file-validate desktop-file-utils; then
  desktop-file-validate "$usr/$desktop" >"$work/validate.log" || true
  grep -vq ': hint: ' "$work/validate.log" && { cat "$work/validate.log"; fail "desktop entry"; }
fi
if have appstreamcli appstream; then
  appstreamcli validate --no-net "$usr/$metainfo" || fail "metainfo"
fi
if [ "$man_pages" = ON ] && have man man-db; then
  # A page is made from --help and --version: it shows an option and the version.
  for page in glyphsheet:--add-chars glyphsheet-cli:export; do
    program=${page%%:*} option=${page#*:}
    MANWIDTH=80 man -l "$usr/share/man/man1/$program.1" >"$work/$program.txt" 2>"$work/man.log" ||
      { cat "$work/man.log"; fail "man -l $program.1"; }
    grep -q -- "$option" "$work/$program.txt" || fail "$program.1 does not name $option"
    grep -q "^$program $version " "$work/$program.txt" ||
      fail "$program.1 does not give version $version"
  done
  # The command line's page gives its usage lines one a line, and under each
  # command every option that command's --help names.
  page=$(sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g' "$work/glyphsheet-cli.txt")
  "$cli" --help >"$work/top.txt"
  sed -n '/^usage:$/,/^$/s/^  *\(.\)/\1/p' "$work/top.txt" >"$work/usage.txt"
  [ -s "$work/usage.txt" ] || fail "glyphsheet-cli --help gives no usage lines"
  while read -r usage; do
    grep -qxF "       $usage" <<<"$page" || fail "glyphsheet-cli.1 does not give \"$usage\" on a line"
  done <"$work/usage.txt"
  commands=$(awk '/^[^ ].*:$/ { here = $0 == "Subcommands:"; next } here && /^  [^ ]/ { print $1 }' \
             "$work/top.txt")
  for command in $commands; do
    "$cli" "$command" --help >"$work/command.txt"
    cmp -s "$work/command.txt" "$work/top.txt" && continue
    section=$(awk -v head="   glyphsheet-cli $command" '
      index($0, head) == 1 && (length($0) == length(head) || substr($0, length(head) + 1, 1) == " ") {
        here = 1; next }
      /^ {0,3}[^ ]/ { here = 0 }
      here' <<<"$page")
    [ -n "$section" ] || fail "glyphsheet-cli.1 has no section for $command"
    for option in $(sed -n 's/^  \(-[^ ]*\).*/\1/p' "$work/command.txt" | tr , ' '); do
      grep -Eq -- "^       (.*, )?$option([ ,]|\$)" <<<"$section" ||
        fail "glyphsheet-cli.1 does not give $option under $command"
    done
  done
fi

# The installed programs, run from another folder.
cd "$work"
"$cli" fonts | grep -qx "DejaVu Sans" || fail "glyphsheet-cli fonts does not list DejaVu Sans"
"$cli" export --face "DejaVu Sans" --chars "AB" --width 128 --height 64 -o sheet >/dev/null ||
  fail "glyphsheet-cli export"
[ "$(stat -c %s sheet.tga)" -eq $((18 + 128 * 64 * 4)) ] || fail "sheet.tga is not a 128 x 64 image"
grep -q "<" sheet.xml || fail "sheet.xml is empty"

# The desktop program's --help and --version need no display; wrong usage is status 2.
gui=(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/glyphsheet")
"${gui[@]}" --help >help.txt || fail "glyphsheet --help"
grep -q '^Usage: glyphsheet .*PROJECT.fnt' help.txt || fail "glyphsheet --help has no usage line"
[ "$("${gui[@]}" --version)" = "glyphsheet $version" ] || fail "glyphsheet --version"
status=0
"${gui[@]}" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "glyphsheet --no-such-option: status $status, not 2"

# A project named on the command line is opened: the window then shows its glyphs.
"$cli" new -o project.fnt --face "DejaVu Sans" --size 30 --chars "ABCxyz" >/dev/null
for name in empty project; do
  args=(--screenshot "$name.png")
  [ "$name" = project ] && args+=(project.fnt)
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" "$usr/bin/glyphsheet" "${args[@]}" 2>/dev/null ||
    fail "glyphsheet ${args[*]}"
done
cmp -s empty.png project.png && fail "glyphsheet did not open the project it was given"
echo "install check passed"
