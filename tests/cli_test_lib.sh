# Sourced by the command-line tests: a folder of the test's own that is also its HOME (with the
# XDG folders and TMPDIR inside it), so that no run reaches the user's pictures, outbox or store;
# `check NAME CONDITION` counts results and `finish` prints them and sets the exit status.
set -u
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export HOME="$dir/home" XDG_DATA_HOME="$dir/home/.local/share" XDG_CONFIG_HOME="$dir/home/.config" \
  XDG_CACHE_HOME="$dir/home/.cache" TMPDIR="$dir/tmp"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
unset ZOZED_STORE ZOZED_PROFILE DISPLAY WAYLAND_DISPLAY
failures=0
checks=0
check() {
  if eval "$2"; then :; else echo "FAILED: $1"; failures=$((failures + 1)); fi
  checks=$((checks + 1))
}
finish() {
  echo "$((checks - failures)) passed, $failures failed"
  exit "$failures"
}
