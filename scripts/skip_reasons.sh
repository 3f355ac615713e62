#!/bin/sh
# After ctest: names each test that did not run (skipped) with what it
# printed, its reason, which ctest otherwise keeps in a log file only.
# GoogleTest's own bracketed progress lines are left out.
#   scripts/skip_reasons.sh BUILD_DIR JUNIT.xml
# JUNIT.xml is the report of `ctest --output-junit`, relative to BUILD_DIR.
set -eu
build=$1 junit=$build/$2 log=$1/Testing/Temporary/LastTest.log
[ -r "$junit" ] && [ -r "$log" ] || exit 0
skipped=$(sed -n 's/.*<testcase name="\([^"]*\)".*status="notrun".*/\1/p' "$junit")
[ -n "$skipped" ] || exit 0
echo "Tests that did not run, and why:"
for name in $skipped; do
  awk -v name="$name" '
    index($0, "\"" name "\" start time:") == 1 { here = 1; next }
    here && $0 == "<end of output>" { exit }
    here && /^Output:$/ { out = 1; getline; next }
    here && out && !/^\[/ && !/^Running main\(\) from / && NF { print "  " name ": " $0; said = 1 }
    END { if (!said) print "  " name ": (it printed nothing)" }' "$log"
done
