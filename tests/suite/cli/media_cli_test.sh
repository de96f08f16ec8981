#!/usr/bin/env bash
# `zozed media`: header facts of a picture-named text file and protection of an ASF file whose
# header holds a content encryption object.
zozed=$1
source "$(dirname "$0")/../../cli_test_lib.sh"
set -euo pipefail
export ZOZED_STORE=$dir/store.db

printf 'not a picture\n' >"$dir/notes.jpg"
# ASF header object (54 bytes, one object) holding a 24-byte content encryption object.
printf '\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C\x36\0\0\0\0\0\0\0\x01\0\0\0\x01\x02' >"$dir/locked.wmv"
printf '\xFB\xB3\x11\x22\x23\xBD\xD2\x11\xB4\xB7\x00\xA0\xC9\x55\xFC\x6E\x18\0\0\0\0\0\0\0' >>"$dir/locked.wmv"

out=$("$zozed" media --json "$dir/notes.jpg" "$dir/locked.wmv")
echo "$out"
grep -q '"media_type": 0' <<<"$out"
grep -q '"error": ".*notes.jpg' <<<"$out"
grep -q '"media_type": 2' <<<"$out"
grep -q '"protected": "yes"' <<<"$out"
grep -q '"protected": "no (not readable as ASF)"' <<<"$out"
echo "media CLI: ok"
