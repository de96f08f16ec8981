#!/usr/bin/env bash
# zozed register/unregister against a store of its own: the default module, --module, failures.
zozed="$1"
module="$2"
source "$(dirname "$0")/../cli_test_lib.sh"
share='HKCR\CLSID\{126239D4-FA95-4566-A14E-2A111932D54A}\InprocServer32'

"$zozed" --store "$dir/s.db" register > "$dir/out.txt"; rc=$?
check "register succeeds and names the module" '[ $rc -eq 0 ] && grep -q "ZozedAradizuzOdaru.so registered" "$dir/out.txt"'
"$zozed" --store "$dir/s.db" reg query "$share" > "$dir/q.txt"
check "the class key names the module" 'grep -q "ZozedAradizuzOdaru.so" "$dir/q.txt"'
"$zozed" --store "$dir/s.db" unregister > /dev/null; rc=$?
check "unregister succeeds" '[ $rc -eq 0 ]'
"$zozed" --store "$dir/s.db" reg query "$share" 2> /dev/null; rc=$?
check "the class key is gone" '[ $rc -ne 0 ]'
"$zozed" --store "$dir/s.db" reg query 'HKLM\SOFTWARE\Quarn\Tessagram7\Generic\Std\Client\Commands' > /dev/null; rc=$?
check "shared catalogue keys stay" '[ $rc -eq 0 ]'
"$zozed" --store "$dir/s.db" unregister 2> "$dir/err.txt"; rc=$?
check "unregistering again reports the type library's HRESULT" '[ $rc -ne 0 ] && grep -q "0x8002801C" "$dir/err.txt"'
"$zozed" --store "$dir/s.db" register --module "$module" > /dev/null; rc=$?
check "--module takes a path" '[ $rc -eq 0 ]'
"$zozed" --store "$dir/s.db" register --module "$dir/missing.so" 2> "$dir/err.txt"; rc=$?
check "a missing module fails with its name" '[ $rc -ne 0 ] && grep -q "missing.so" "$dir/err.txt"'

finish
