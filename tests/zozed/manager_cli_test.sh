#!/usr/bin/env bash
# zozed catalogue / command / home against a store of their own, as a user runs them.
zozed="$1"
source "$(dirname "$0")/../cli_test_lib.sh"
z() { "$zozed" --store "$dir/s.db" "$@"; }
email_items='{F2BFE090-B34B-45d6-93EE-905255ECF886}'

z catalogue share > /dev/null 2> "$dir/err.txt"; rc=$?
check "an unregistered module is reported with the way out" '[ $rc -ne 0 ] && grep -q "zozed register" "$dir/err.txt"'

z register > /dev/null
z catalogue share > "$dir/share.txt"; rc=$?
check "the Share catalogue lists Export before E-mail" \
  '[ $rc -eq 0 ] && grep -n "Export\|E-mail  " "$dir/share.txt" | head -1 | grep -q "0. Export"'
z catalogue save --json > "$dir/save.json"; rc=$?
check "the Save catalogue as JSON has its three entries in order" \
  '[ $rc -eq 0 ] && [ "$(grep -c "\"index\"" "$dir/save.json")" = 3 ] && grep -q "\"name\": \"Save As\"" "$dir/save.json"'
z catalogue share --roots 'SOFTWARE\Nowhere' > "$dir/none.txt"; rc=$?
check "--roots replaces the host's roots" '[ $rc -eq 0 ] && grep -q "0 components" "$dir/none.txt"'

touch "$dir/a.jpg"
z command share "$email_items" --items "$dir/a.jpg" --arg2 1 > "$dir/cmd.txt"; rc=$?
check "EmailSharedItems is taken" '[ $rc -eq 0 ] && grep -q "S_OK, handled 1" "$dir/cmd.txt"'
check "it is sent the items, then told to return" \
  'grep -A1 "{88155962-E7A0-4B40-A626-22A02EBCEE3D} value array\[1\]" "$dir/cmd.txt" | grep -q "{14F92965-39F8-4C19-B8D3-3268FFD371B5}"'
z command share '{38C4802F-4F53-4eeb-863B-B0AFD79FF4F6}' > "$dir/gather.txt"; rc=$?
check "GatherRound is not the Share manager's" '[ $rc -eq 0 ] && grep -q "S_FALSE, handled 0" "$dir/gather.txt"'
z command save '{78D11833-5CF0-41fd-A5CA-F901403DC07E}' --json > "$dir/further.json"
check "the further save command goes to the host as SaveAs" 'grep -q "{F382D781-2B33-44a1-A674-5A40BAEEBE56}" "$dir/further.json"'
z command share "$email_items" --key x --items "$dir/a.jpg" 2> /dev/null; rc=$?
check "--key and --items exclude each other" '[ $rc -ne 0 ]'

z home > "$dir/home.txt"; rc=$?
check "the home page's Share leads to the e-mail entry pane" \
  '[ $rc -eq 0 ] && grep -A3 "Share by E-mail" "$dir/home.txt" | grep -q "opens the pane {D3D811AA-E905-4d03-89D4-343A7BB0114E}"'

finish
