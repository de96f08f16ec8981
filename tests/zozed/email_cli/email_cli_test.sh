#!/usr/bin/env bash
# zozed prepare and zozed email against a store and a machine of their own, on the bundled
# sample photos: JPEGs in the temporary folder, a message in the outbox, the dated folder, the
# refusal without a mail program and both answers to the size warning.
set -u
zozed="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/pictures" "$dir/temp"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$dir/pictures" "$dir/temp" > "$dir/profile.json"
z() { "$zozed" --store "$dir/s.db" --profile "$dir/profile.json" "$@"; }
failures=0
checks=0
check() { checks=$((checks + 1)); if eval "$2"; then :; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }
mail() { z email --outbox "$dir/outbox" --no-hand-off "$@"; }

z register > /dev/null

z prepare --json > "$dir/prepare.json" 2> "$dir/prepare.err"; rc=$?
check "prepare succeeds on the samples" '[ $rc -eq 0 ]'
check "prepare lists four files" '[ "$(grep -c "\"path\"" "$dir/prepare.json")" -eq 4 ]'
check "the files are in the temporary folder" '[ "$(grep -c "\"path\": \"$dir/temp/" "$dir/prepare.json")" -eq 4 ]'
check "they fit the 800 x 600 box" '! grep -E "\"width\": (80[1-9]|8[1-9][0-9]|9[0-9]{2}|[0-9]{4,})" "$dir/prepare.json" | grep -q .'

z prepare "$dir/missing.jpg" 2> "$dir/err.txt"; rc=$?
check "a missing file is refused" '[ $rc -ne 0 ] && grep -q "no such file" "$dir/err.txt"'

mail --client "Test Mail" > "$dir/send.txt" 2>&1; rc=$?
check "sending succeeds" '[ $rc -eq 0 ]'
eml="$(ls "$dir"/outbox/*.eml 2>/dev/null | head -n 1)"
check "a message is in the outbox" '[ -n "$eml" ]'
check "it carries four JPEG attachments" '[ "$(grep -c "Content-Type: image/jpeg" "$eml")" -eq 4 ]'
check "the report names the message" 'grep -q "^Message: $dir/outbox/" "$dir/send.txt"'
check "the report gives the total against the limit" 'grep -q "^Total: [0-9]* KB against a limit of 1000 KB" "$dir/send.txt"'

rm -rf "$dir/outbox"
mail --client "Outlook Express" --html > "$dir/html.txt" 2>&1; rc=$?
eml="$(ls "$dir"/outbox/*.eml 2>/dev/null | head -n 1)"
check "an embedding client gets an HTML message" '[ $rc -eq 0 ] && [ -n "$eml" ] && grep -q "multipart/related" "$eml"'
check "the pictures are referenced by cid" '[ -n "$eml" ] && grep -q "cid:" "$eml"'

mail --client "Test Mail" --later > "$dir/later.txt" 2>&1; rc=$?
check "saving for later succeeds" '[ $rc -eq 0 ]'
folder="$(sed -n "s/^Saved for later sending in //p" "$dir/later.txt")"
check "the dated folder is below the save location" '[[ "$folder" == "$dir/pictures/Pictures for E-mail/"* ]]'
check "it holds the four pictures" '[ "$(ls "$folder" | grep -c "\.jpg$")" -eq 4 ]'
mail --client "Test Mail" --no-html > /dev/null 2>&1   # back to send-now mode

mail --client "" > "$dir/none.txt" 2>&1; rc=$?
check "without a mail program nothing is sent" '[ $rc -ne 0 ] && grep -q "Nothing was sent" "$dir/none.txt"'

rm -rf "$dir/outbox"
mail --client "Test Mail" --set "Attachment size limit=1" --no > "$dir/warn.txt" 2>&1; rc=$?
check "a refused size warning sends nothing" '[ $rc -ne 0 ] && [ ! -d "$dir/outbox" -o -z "$(ls "$dir/outbox" 2>/dev/null)" ]'
mail --client "Test Mail" --yes > "$dir/warn.txt" 2>&1; rc=$?
check "an accepted size warning sends" '[ $rc -eq 0 ] && [ -n "$(ls "$dir"/outbox/*.eml 2>/dev/null)" ]'

echo "$((checks - failures)) passed, $failures failed"
exit $failures
