#!/usr/bin/env bash
# zozed pane against a store of its own: before and after registration, by class name, CLSID
# and ProgID, at a given size, as text and as JSON, and bad sizes.
zozed="$1"
source "$(dirname "$0")/../cli_test_lib.sh"

"$zozed" --store "$dir/s.db" pane STGEmailDonePane 2> "$dir/err.txt"; rc=$?
check "an unregistered pane says to register first" '[ $rc -ne 0 ] && grep -q "zozed register" "$dir/err.txt"'
"$zozed" --store "$dir/s.db" register > /dev/null
"$zozed" --store "$dir/s.db" pane STGEmailDonePane --size 300x400 > "$dir/out.txt"; rc=$?
check "the done pane opens at the size asked" '[ $rc -eq 0 ] && grep -q "in a 300x400 side panel" "$dir/out.txt"'
check "its heading is stretched to the panel edge" 'grep -Eq "^1384 .* 8,10 - 300," "$dir/out.txt"'
check "the done pane takes pane messages and shows its heading" '! grep -q "not built yet" "$dir/out.txt" && grep -Eq "^1384 .*\"E-mail finished\"" "$dir/out.txt"'
"$zozed" --store "$dir/s.db" pane '{126239D4-FA95-4566-A14E-2A111932D54A}' --json > "$dir/out.json"; rc=$?
check "by CLSID, as JSON" '[ $rc -eq 0 ] && grep -q "\"id\": 1161" "$dir/out.json" && grep -q "\"behaviour\": true" "$dir/out.json"'
"$zozed" --store "$dir/s.db" pane STGZozedAradizuzOdaru.STGSharedSaveAs.1 > "$dir/out.txt"; rc=$?
check "by ProgID" '[ $rc -eq 0 ] && grep -Eq "^210 " "$dir/out.txt"'
"$zozed" --store "$dir/s.db" pane STGShareByEmail --size 0x10 2> "$dir/err.txt"; rc=$?
check "a size of nothing is refused" '[ $rc -ne 0 ] && grep -q "WIDTHxHEIGHT" "$dir/err.txt"'

finish
