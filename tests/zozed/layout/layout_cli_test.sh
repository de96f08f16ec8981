#!/bin/bash
# zozed layout: reads the installed layouts (text and JSON) and fails with file and line on
# malformed XML.
zozed=$1 layouts=$2 malformed=$3
source "$(dirname "$0")/../../cli_test_lib.sh"
fail() { echo "FAIL: $*"; exit 1; }

for name in EmailOptionsDialog CancelWmvConversion; do
  out=$("$zozed" layout "$layouts/$name.xml") || fail "$name.xml not read"
  grep -q '@itemID = "2" -> integer 2' <<<"$out" || fail "$name.xml: no Cancel button in the tree"
  "$zozed" layout --json "$layouts/$name.xml" | grep -q '"kind": "special"' || fail "$name.xml: JSON without geometry kinds"
done
"$zozed" layout "$layouts/EmailOptionsDialog.xml" | grep -q '@width = "Stretch" -> size special -103' ||
  fail "checked width missing"

err=$("$zozed" layout "$malformed" 2>&1 >/dev/null) && fail "malformed file accepted"
grep -q "^zozed layout: $malformed:3:" <<<"$err" || fail "error without file and line: $err"
"$zozed" layout /nonexistent/Layout.xml 2>/dev/null && fail "missing file accepted"
echo OK
