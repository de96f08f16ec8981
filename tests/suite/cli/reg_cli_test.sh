#!/usr/bin/env bash
# zozed reg import/export/query against a store of its own: round trip, errors, exit codes.
zozed="$1"
source "$(dirname "$0")/../../cli_test_lib.sh"

printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Quarn]\n"Name"="Caf\xc3\xa9"\n"Count"=dword:0000002a\n"Bin"=hex:01,02,\\\n  03\n\n[HKEY_CURRENT_USER\\Software\\Quarn\\Sub]\n' > "$dir/in.reg"
"$zozed" --store "$dir/s.db" reg import "$dir/in.reg"; check "import succeeds" '[ $? -eq 0 ]'
"$zozed" --store "$dir/s.db" reg export 'HKCU\Software\Quarn' > "$dir/out.reg"
check "export writes the values" 'grep -q "^\"Count\"=dword:0000002a$" "$dir/out.reg" && grep -q "^\"Name\"=\"Café\"$" "$dir/out.reg"'
ZOZED_STORE="$dir/t.db" "$zozed" reg import "$dir/out.reg"
ZOZED_STORE="$dir/t.db" "$zozed" reg export 'HKEY_CURRENT_USER\Software\Quarn' > "$dir/again.reg"
check "export, import, export gives the same text (ZOZED_STORE)" 'cmp -s "$dir/out.reg" "$dir/again.reg"'
"$zozed" --store "$dir/s.db" reg query 'HKCU\Software\Quarn' > "$dir/query.txt"
check "query lists values and subkeys" 'grep -q "    Count    REG_DWORD    0x2a" "$dir/query.txt" && grep -q "^HKEY_CURRENT_USER\\\\Software\\\\Quarn\\\\Sub$" "$dir/query.txt"'

printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\New]\n"a"=dword:xyz\n' > "$dir/bad.reg"
"$zozed" --store "$dir/s.db" reg import "$dir/bad.reg" 2> "$dir/err.txt"; rc=$?
check "a bad file fails" '[ $rc -ne 0 ] && grep -q "line 4" "$dir/err.txt"'
"$zozed" --store "$dir/s.db" reg query 'HKCU\Software\New' 2>/dev/null; rc=$?
check "nothing of a bad file is imported" '[ $rc -ne 0 ]'
head -c 3000 /dev/urandom > "$dir/garbage.db"; cp "$dir/garbage.db" "$dir/garbage.copy"
"$zozed" --store "$dir/garbage.db" reg query HKCU 2> "$dir/err.txt"; rc=$?
check "a damaged store is refused, named and left alone" '[ $rc -ne 0 ] && grep -q "garbage.db" "$dir/err.txt" && cmp -s "$dir/garbage.db" "$dir/garbage.copy"'
"$zozed" --store "$dir/s.db" reg query 'HKXX\Nothing' 2>/dev/null; check "an unknown root fails" '[ $? -ne 0 ]'

finish
