#!/usr/bin/env bash
# zozed register/unregister against a store of its own: the default module, --module, failures
# (what they write and remove is the registration test's).
zozed="$1"
module="$2"
source "$(dirname "$0")/../cli_test_lib.sh"

"$zozed" --store "$dir/s.db" register > "$dir/out.txt"; rc=$?
check "register succeeds and names the module" '[ $rc -eq 0 ] && grep -q "ZozedAradizuzOdaru.so registered" "$dir/out.txt"'
"$zozed" --store "$dir/s.db" unregister > /dev/null; rc=$?
check "unregister succeeds" '[ $rc -eq 0 ]'
"$zozed" --store "$dir/s.db" unregister 2> "$dir/err.txt"; rc=$?
check "unregistering again reports the type library's HRESULT" '[ $rc -ne 0 ] && grep -q "0x8002801C" "$dir/err.txt"'
"$zozed" --store "$dir/s.db" register --module "$module" > /dev/null; rc=$?
check "--module takes a path" '[ $rc -eq 0 ]'
"$zozed" --store "$dir/s.db" register --module "$dir/missing.so" 2> "$dir/err.txt"; rc=$?
check "a missing module fails with its name" '[ $rc -ne 0 ] && grep -q "missing.so" "$dir/err.txt"'

finish
