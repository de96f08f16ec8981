#!/usr/bin/env bash
# zozed options email against a store and a machine of its own: defaults shown without writing,
# changes saved as the whole record, and bad names and values refused.
set -u
zozed="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/pictures" "$dir/temp"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$dir/pictures" "$dir/temp" > "$dir/profile.json"
run() { "$zozed" --store "$dir/s.db" --profile "$dir/profile.json" options email "$@"; }
failures=0
checks=0
check() { checks=$((checks + 1)); if eval "$2"; then :; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }
key='HKCU\Software\Quarn\Tessagram7\QuarnTessagram\Client\Options\TSGShare\EmailOptions'

run > "$dir/out.txt"; rc=$?
check "an empty store shows the defaults" '[ $rc -eq 0 ] && grep -q "^Screen size  *1  (default, not stored)" "$dir/out.txt"'
"$zozed" --store "$dir/s.db" reg query "$key" > /dev/null 2>&1; rc=$?
check "showing writes nothing" '[ $rc -ne 0 ]'

run --set "Screen size=2" --set "embed in html=no" --json > "$dir/out.json"; rc=$?
check "a change succeeds" '[ $rc -eq 0 ]'
check "the change is stored" 'grep -A1 "\"Screen size\"" "$dir/out.json" | grep -q "\"value\": 2"'
check "names match without case" 'grep -A1 "\"Embed in HTML\"" "$dir/out.json" | grep -q "\"value\": false"'
check "every value is stored" '! grep -q "\"stored\": false" "$dir/out.json"'
check "the default folder is made" '[ -d "$dir/pictures/Pictures for E-mail" ]'
"$zozed" --store "$dir/s.db" reg query "$key" > "$dir/q.txt"
check "booleans are Yes/No strings" 'grep -q "Embed in HTML.*REG_SZ.*No" "$dir/q.txt"'
check "numbers are DWORDs" 'grep -q "Screen size.*REG_DWORD" "$dir/q.txt"'

run --set "Screen size=big" 2> "$dir/err.txt"; rc=$?
check "a bad number is refused" '[ $rc -ne 0 ] && grep -q "Screen size" "$dir/err.txt"'
run --set "Colour=Yes" 2> "$dir/err.txt"; rc=$?
check "an unknown name is refused" '[ $rc -ne 0 ] && grep -q "Colour" "$dir/err.txt"'
run --set "Convert to JPEG=maybe" 2> /dev/null; rc=$?
check "a Boolean takes Yes or No" '[ $rc -ne 0 ]'

echo "$((checks - failures)) passed, $failures failed"
exit $failures
