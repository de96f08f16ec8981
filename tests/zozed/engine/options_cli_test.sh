#!/usr/bin/env bash
# zozed options email against a store and a machine of its own: the module's defaults shown as
# stored, changes kept by type, and bad names and values refused with the reason.
zozed="$1"
source "$(dirname "$0")/../../cli_test_lib.sh"
mkdir -p "$dir/pictures" "$dir/temp"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$dir/pictures" "$dir/temp" > "$dir/profile.json"
run() { "$zozed" --store "$dir/s.db" --profile "$dir/profile.json" options email "$@"; }
key='HKCU\Software\Quarn\Tessagram7\QuarnTessagram\Client\Options\TSGShare\EmailOptions'

"$zozed" --store "$dir/s.db" register > /dev/null
run > "$dir/out.txt"; rc=$?
check "an empty store shows the module's defaults" '[ $rc -eq 0 ] && grep -q "^Screen size  *1$" "$dir/out.txt" && [ "$(wc -l < "$dir/out.txt")" -eq 14 ]'
check "the default folder is made" '[ -d "$dir/pictures/Pictures for E-mail" ]'

run --set "Screen size=2" --set "embed in html=no" --set "Save location=$dir/mail" --json > "$dir/out.json"; rc=$?
check "a change succeeds" '[ $rc -eq 0 ]'
check "the change is stored" 'grep -A1 "\"Screen size\"" "$dir/out.json" | grep -q "\"value\": 2"'
check "names match without case" 'grep -A1 "\"Embed in HTML\"" "$dir/out.json" | grep -q "\"value\": false"'
check "a POSIX folder is stored as a Windows path" 'grep -A1 "\"Save location\"" "$dir/out.json" | grep -q "Z:"'
"$zozed" --store "$dir/s.db" reg query "$key" > "$dir/q.txt"
check "switches stay Yes/No strings" 'grep -q "Embed in HTML.*REG_SZ.*No" "$dir/q.txt"'
check "numbers stay DWORDs" 'grep -q "Screen size.*REG_DWORD.*0x2" "$dir/q.txt"'

refused() {  # name, assignment, text the refusal must hold
  run --set "$2" > /dev/null 2> "$dir/err.txt"; rc=$?
  reason="$3"
  check "$1" '[ $rc -eq 2 ] && grep -q -- "$reason" "$dir/err.txt"'
}
refused "a bad number is refused" "Screen size=big" "Screen size"
refused "a screen size the dialog does not offer is refused" "Screen size=3" "1024 x 768"
refused "a file size beyond 32 bits of bytes is refused" "File size=4194304" "4194303"
refused "an unknown name is refused" "Colour=Yes" "Colour"
refused "a switch takes Yes or No" "Convert to JPEG=maybe" "Yes or No"
refused "an empty save location is refused" "Save location=" "needs a folder"
check "refusals changed nothing" '"$zozed" --store "$dir/s.db" reg query "$key" | cmp -s - "$dir/q.txt"'

finish
