#!/usr/bin/env bash
# Exports over an existing set, interrupted every way we can think of, first
# as TGA + XML, then as BMFont (PNG + text descriptor); after each, the set on
# disk must be one export's whole set. The one exception is a SIGKILL between
# the renames: the new image then stands beside the old descriptor together
# with the commit record, and the next export to the name finishes the commit
# before anything else. Last, TGA + XML and BMFont XML exports to one name
# (both write NAME.xml) take turns.
#   1. KILLS exports killed at a random moment with a random one of SIGKILL,
#      SIGTERM, SIGINT, SIGHUP and SIGQUIT;
#   2. SIGKILL placed at each rename of an export (with strace);
#   3. a second rename that fails (strace makes it fail): the old pair stays;
#   4. PAIRS times two exports to the same name at once;
#   5. PAIRS times a TGA + XML and a BMFont XML export to one name at once.
#   scripts/export_stress.sh PROGRAM
set -euo pipefail
cli=$(realpath "$1")
kills=${KILLS:-1000}
pairs=${PAIRS:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two projects of different content on 1024 x 1024 sheets (4 MB images), so an
# export lasts long enough to be hit part way.
"$cli" new -o a.fnt --face "DejaVu Sans" --chars "ABCDEFGH" > /dev/null
"$cli" new -o b.fnt --face "DejaVu Serif" --size 20 --chars "xyz" > /dev/null
for p in a.fnt b.fnt; do
  printf '\x00\x04\x00\x00\x00\x04\x00\x00' | dd of=$p bs=1 seek=0 conv=notrunc status=none
done
sum() { cat "$@" 2> /dev/null | md5sum | cut -d' ' -f1; }
record=.sheet.glyphsheet.commit
failures=0

# The whole battery for one format: a tag, then the format's options. The
# references are exported under the same name in folders of their own (a
# BMFont descriptor names its page file).
battery() {
local tag=$1 files
shift
local form=("$@")
if [[ ${#form[@]} == 0 ]]; then files=(sheet.tga sheet.xml); else files=(sheet.png sheet.fnt); fi
mkdir -p "ref-a-$tag" "ref-b-$tag"
"$cli" export a.fnt "${form[@]}" -o "ref-a-$tag/sheet" > /dev/null
"$cli" export b.fnt "${form[@]}" -o "ref-b-$tag/sheet" > /dev/null
pair_a=$(cd "ref-a-$tag" && sum "${files[@]}")
pair_b=$(cd "ref-b-$tag" && sum "${files[@]}")
echo "== ${files[*]}"

# The state after an export ended: a whole set, or (only with the commit
# record) a new image beside an old descriptor.
check() {
  local what=$1 now
  now=$(sum "${files[@]}")
  if [[ $now == "$pair_a" || $now == "$pair_b" ]]; then
    return 0
  fi
  if [[ -e $record ]]; then
    cut_short=$((cut_short + 1))
    return 0
  fi
  echo "MIXED SET after $what" >&2
  failures=$((failures + 1))
}

"$cli" export a.fnt "${form[@]}" -o sheet > /dev/null
start=$(date +%s%N)
"$cli" export b.fnt "${form[@]}" -o sheet > /dev/null
took_us=$((($(date +%s%N) - start) / 1000))

# 1. Random kills.
cut_short=0
signals=(KILL TERM INT HUP QUIT)
for ((i = 0; i < kills; i++)); do
  project=$([[ $((i % 2)) == 0 ]] && echo a.fnt || echo b.fnt)
  "$cli" export $project "${form[@]}" -o sheet > /dev/null 2>&1 &
  pid=$!
  us=$(((RANDOM * 32768 + RANDOM) % (took_us + 2000)))
  sleep "$((us / 1000000)).$(printf '%06d' $((us % 1000000)))"
  kill -s "${signals[RANDOM % 5]}" $pid 2> /dev/null || true
  wait $pid 2> /dev/null || true
  check "random kill $i"
done
echo "random kills: $kills, each pair whole or cut short with its record ($cut_short cut short)"

# 2. SIGKILL at each rename: of the commit record, the image, the descriptor.
# (A machine that forbids tracing skips 2 and 3.)
if ! strace -o /dev/null true 2> /dev/null; then
  echo "strace cannot trace here: the kills at each rename and the failed rename are skipped"
  placed=()
else
  placed=(1 2 3)
fi
cut_short=0
for when in "${placed[@]}"; do
  "$cli" export a.fnt "${form[@]}" -o sheet > /dev/null
  (strace -f -o /dev/null -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:signal=SIGKILL:when=$when \
    "$cli" export b.fnt "${form[@]}" -o sheet > /dev/null || true) 2> /dev/null
  check "a kill at rename $when"
  out=$("$cli" export b.fnt "${form[@]}" -o sheet 2>&1)
  [[ $(sum "${files[@]}") == "$pair_b" && ! -e $record ]] ||
    { echo "the export after a kill at rename $when left no whole set" >&2; failures=$((failures + 1)); }
  [[ $when != 3 || $out == *"finished an export"* ]] ||
    { echo "the export after a kill at rename 3 did not say it finished the commit" >&2; failures=$((failures + 1)); }
done
echo "kills at each rename: the next export finished the pair ($cut_short cut short)"

# 3. The descriptor's rename fails: the old pair stays and the run says so.
"$cli" export a.fnt "${form[@]}" -o sheet > /dev/null
if ((${#placed[@]} > 0)) && strace -f -o /dev/null -e trace=rename,renameat,renameat2 \
  -e inject=rename,renameat,renameat2:error=EBUSY:when=3 \
  "$cli" export b.fnt "${form[@]}" -o sheet > /dev/null 2> err.txt; then
  echo "a failed rename was reported as success" >&2
  failures=$((failures + 1))
fi
if ((${#placed[@]} > 0)); then
  [[ $(sum "${files[@]}") == "$pair_a" ]] ||
    { echo "a failed rename changed the set" >&2; failures=$((failures + 1)); }
  echo "failed second rename: $(cat err.txt)"
fi

# 4. Exports to the same name at once.
for ((i = 0; i < pairs; i++)); do
  "$cli" export a.fnt "${form[@]}" -o sheet > /dev/null 2>&1 &
  first=$!
  "$cli" export b.fnt "${form[@]}" -o sheet > /dev/null 2>&1 &
  second=$!
  if ! wait $first || ! wait $second; then
    echo "a concurrent export failed" >&2
    failures=$((failures + 1))
  fi
  cut_short=0
  check "concurrent pair $i"
  [[ $cut_short == 0 ]] || { echo "a commit record stayed after pair $i" >&2; failures=$((failures + 1)); }
done
echo "concurrent pairs: $pairs, each ended whole"

}

battery tga
battery text --format bmfont-text

# 5. TGA + XML and BMFont XML to one name at once: both write sheet.xml, so
# they take turns; each ends whole, and sheet.xml is the last one's.
mkdir -p ref-a-xml
"$cli" export a.fnt --format bmfont-xml -o ref-a-xml/sheet > /dev/null
xml_tga=$(sum ref-a-tga/sheet.xml)
xml_bm=$(sum ref-a-xml/sheet.xml)
for ((i = 0; i < pairs; i++)); do
  "$cli" export a.fnt -o sheet > /dev/null 2>&1 &
  first=$!
  "$cli" export a.fnt --format bmfont-xml -o sheet > /dev/null 2>&1 &
  second=$!
  if ! wait $first || ! wait $second; then
    echo "a concurrent export failed" >&2
    failures=$((failures + 1))
  fi
  now=$(sum sheet.xml)
  [[ ($now == "$xml_tga" || $now == "$xml_bm") && ! -e $record ]] ||
    { echo "sheet.xml is neither whole export's after pair $i" >&2; failures=$((failures + 1)); }
done
echo "TGA + XML beside BMFont XML at once: $pairs, each ended whole"

leftovers=$(ls -A | grep -v -E '^(a|b)\.fnt$|^ref-[ab]-(tga|text|xml)$|^sheet\.(tga|xml|png|fnt)$|^err\.txt$' || true)
[[ -z $leftovers ]] || { echo "left behind: $leftovers" >&2; failures=$((failures + 1)); }
if ((failures > 0)); then
  echo "$failures failures" >&2
  exit 1
fi
echo "no mixed set"
