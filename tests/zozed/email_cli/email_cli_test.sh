#!/usr/bin/env bash
# zozed prepare and zozed email against a store and a machine of their own, on the bundled
# sample photos: results kept only where asked, a message in the outbox with the same names run
# after run, the dated folder, one-run option changes, refusals (no mail program, files that all
# fail, no save location, a question with nobody to answer it) and both answers to the size
# warning.
zozed="$1"
source "$(dirname "$0")/../../cli_test_lib.sh"
mkdir -p "$dir/pictures" "$dir/temp"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$dir/pictures" "$dir/temp" > "$dir/profile.json"
z() { "$zozed" --store "$dir/s.db" --profile "$dir/profile.json" "$@" < /dev/null; }
mail() { z email --outbox "$dir/outbox" --no-hand-off "$@"; }
stored() { z reg query 'HKCU\Software\Quarn\Tessagram7\QuarnTessagram\Client\Options\TSGShare\EmailOptions' | grep "^ *$1 "; }
attachment_names() { grep -oE 'filename="?[^";]*' "$1" | sort; }

z register > /dev/null

z prepare --json --out "$dir/kept" > "$dir/prepare.json" 2> "$dir/prepare.err"; rc=$?
check "prepare succeeds on the samples" '[ $rc -eq 0 ]'
check "prepare lists four files" '[ "$(grep -c "\"path\"" "$dir/prepare.json")" -eq 4 ]'
check "--out keeps them" '[ "$(ls "$dir/kept" | grep -c "\.jpg$")" -eq 4 ]'
check "they fit the 800 x 600 box" '! grep -E "\"width\": (80[1-9]|8[1-9][0-9]|9[0-9]{2}|[0-9]{4,})" "$dir/prepare.json" | grep -q .'
check "the suite's temporary folder is gone after the run" '[ -z "$(ls "$dir/temp")" ]'

z prepare "$dir/missing.jpg" 2> "$dir/err.txt"; rc=$?
check "a missing file is refused" '[ $rc -ne 0 ] && grep -q "no such file" "$dir/err.txt"'

sample="$(ls "$(dirname "$zozed")/../share/zozed/samples/"*.jpg | head -n 1)"
z prepare --set "Screen size=0" "$sample" > "$dir/one.txt" 2>&1; rc=$?
check "--set takes one value and leaves the file to the list" '[ $rc -eq 0 ] && grep -q "^1 of 1 file" "$dir/one.txt" && grep -q " 640 x" "$dir/one.txt"'
check "a change for one run is not kept" 'stored "Screen size" | grep -q "0x1"'
z prepare --set "Screen size=2" --save "$sample" > /dev/null 2>&1
check "--save keeps it" 'stored "Screen size" | grep -q "0x2"'
z prepare --set "Screen size=1" --save "$sample" > /dev/null 2>&1
z prepare --set "File size=4194304" "$sample" > /dev/null 2> "$dir/err.txt"; rc=$?
check "a file size beyond 32 bits of bytes is refused" '[ $rc -eq 2 ] && grep -q "4194303" "$dir/err.txt"'

printf 'not a picture' > "$dir/broken.jpg"
mail --client "Test Mail" "$dir/broken.jpg" > "$dir/broken.txt" 2>&1; rc=$?
check "a run whose files all fail sends nothing" '[ $rc -eq 1 ] && grep -q "^Nothing to send" "$dir/broken.txt" && [ ! -d "$dir/outbox" ]'
check "the failure names the file and why" 'grep -q "broken.jpg: " "$dir/broken.txt"'

mail --client "Test Mail" > "$dir/send.txt" 2>&1; rc=$?
check "sending succeeds" '[ $rc -eq 0 ]'
eml="$(ls "$dir"/outbox/*.eml 2>/dev/null | head -n 1)"
check "a message is in the outbox" '[ -n "$eml" ]'
check "it carries four JPEG attachments" '[ "$(grep -c "Content-Type: image/jpeg" "$eml")" -eq 4 ]'
check "the report names the message" 'grep -q "^Message: $dir/outbox/" "$dir/send.txt"'
check "the report gives the total and the limit" 'grep -q "^Total: [0-9]* bytes (the pane warns above 1000 KB)" "$dir/send.txt"'
attachment_names "$eml" > "$dir/names1.txt"
rm -rf "$dir/outbox"
mail --client "Test Mail" > /dev/null 2>&1
eml="$(ls "$dir"/outbox/*.eml 2>/dev/null | head -n 1)"
attachment_names "$eml" > "$dir/names2.txt"
check "the same photos sent again keep their names" '[ -s "$dir/names1.txt" ] && cmp -s "$dir/names1.txt" "$dir/names2.txt"'

rm -rf "$dir/outbox"
mail --client "Outlook Express" --html > "$dir/html.txt" 2>&1; rc=$?
eml="$(ls "$dir"/outbox/*.eml 2>/dev/null | head -n 1)"
check "an embedding client gets an HTML message" '[ $rc -eq 0 ] && [ -n "$eml" ] && grep -q "multipart/related" "$eml"'
check "the pictures are referenced by cid" '[ -n "$eml" ] && grep -q "cid:" "$eml"'
mail --client "Outlook Express" --no-html > /dev/null 2>&1
check "--no-html is for one run" 'stored "Embed in HTML" | grep -q "Yes"'

mail --client "Test Mail" --later > "$dir/later.txt" 2>&1; rc=$?
check "saving for later succeeds" '[ $rc -eq 0 ]'
folder="$(sed -n "s/^Saved for later sending in //p" "$dir/later.txt")"
check "the dated folder is below the save location" '[[ "$folder" == "$dir/pictures/Pictures for E-mail/"* ]]'
check "it holds the four pictures" '[ "$(ls "$folder" | grep -c "\.jpg$")" -eq 4 ]'
check "--later is for one run" 'stored "Save for later sending" | grep -q "No"'

mail --client "" > "$dir/none.txt" 2>&1; rc=$?
check "without a mail program nothing is sent" '[ $rc -ne 0 ] && grep -q "Nothing was sent" "$dir/none.txt"'

rm -rf "$dir/outbox"
mail --client "Test Mail" --set "Attachment size limit=1" > "$dir/ask.txt" 2>&1; rc=$?
check "with nobody to ask, the size warning is not answered yes" '[ $rc -ne 0 ] && grep -q -- "--yes or --no" "$dir/ask.txt" && [ ! -d "$dir/outbox" ]'
mail --client "Test Mail" --set "Attachment size limit=1" --no > /dev/null 2>&1; rc=$?
check "a refused size warning sends nothing" '[ $rc -ne 0 ] && [ ! -d "$dir/outbox" ]'
mail --client "Test Mail" --set "Attachment size limit=1" --yes > /dev/null 2>&1; rc=$?
check "an accepted size warning sends" '[ $rc -eq 0 ] && [ -n "$(ls "$dir"/outbox/*.eml 2>/dev/null)" ]'

# A machine whose pictures folder cannot be made has no default save location.
touch "$dir/a file"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$dir/a file/pictures" "$dir/temp" > "$dir/bare.json"
bare() { "$zozed" --store "$dir/bare.db" --profile "$dir/bare.json" "$@" < /dev/null; }
bare register > /dev/null
bare email --client "Test Mail" --outbox "$dir/outbox" --no-hand-off --later > "$dir/bare.txt" 2>&1; rc=$?
check "without a save location, saving for later says so plainly" '[ $rc -ne 0 ] && grep -q "no save location" "$dir/bare.txt"'
check "and no empty location is stored" '! bare reg query "HKCU\Software\Quarn\Tessagram7\QuarnTessagram\Client\Options\TSGShare\EmailOptions" | grep -q "Save location"'

finish
