#!/usr/bin/env bash
# The registry store's reliability figures at full size:
#   crash    writers killed with SIGKILL at random moments until 1,000 settings saves completed
#   contend  two processes, 10,000 rounds of writes each
#   corrupt  damaged files refused and left byte for byte
# Usage: bench/registry/reliability.sh [BUILD_DIR]   (default build/release; takes minutes:
# every commit is synced to disk)
set -euo pipefail
build="${1:-build/release}"
tool="$build/bin/registry_reliability"
if [ ! -x "$tool" ]; then
  echo "reliability.sh: $tool not found; build first (cmake --build --preset release)" >&2
  exit 2
fi
status=0
"$tool" crash 1000 500 || status=1
"$tool" contend 10000 || status=1
"$tool" corrupt || status=1
exit $status
