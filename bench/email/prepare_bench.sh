#!/usr/bin/env bash
# Prepares the same real photos for mail at the 800 x 600 screen size with `zozed prepare` (the
# Share-by-e-mail pane's preparation, the suite started and stopped around it), with
# vipsthumbnail and with GraphicsMagick's mogrify, all single-threaded at JPEG
# quality 85, and prints wall time, time per photo, peak memory and the ratios against the
# fastest other tool; then the file-size mode's achieved sizes against a 50 KB target.
#   bench/email/prepare_bench.sh [BUILD_DIR] [PHOTO_COUNT] [ROUNDS]
# BUILD_DIR defaults to build/release (configure and build it first:
#   cmake --preset release && cmake --build --preset release -j2).
# Each tool runs once a round, all photos in one process, the tools taking turns; a tool's
# figure is its fastest round (5 by default), so that a machine busy with other work for a
# moment does not decide the ratio.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build/release}")
count=${2:-12}
rounds=${3:-5}
zozed=$build/bin/zozed
[[ -x $zozed ]] || { echo "no $zozed: build the release preset first" >&2; exit 1; }

# Photographic wallpapers from the distribution, GraphicsMagick, the vips command-line tools.
need=()
[[ -d /usr/share/doc/ukui-wallpapers ]] || need+=(ukui-wallpapers)
command -v gm >/dev/null || need+=(graphicsmagick)
command -v vipsthumbnail >/dev/null || need+=(libvips-tools)
if ((${#need[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

work=$(mktemp -d /tmp/zozed_prepare_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/photos" "$work/pictures"

# `zozed prepare` runs with a settings store and a machine of its own; it prepares into a
# temporary folder of the run's own and keeps the results in the output folder (--out).
mkdir -p "$work/tmp"
printf '{ "pictures_folder": "%s", "temp_folder": "%s" }\n' "$work/pictures" "$work/tmp" >"$work/profile.json"
prepare=("$zozed" --store "$work/store.db" --profile "$work/profile.json" prepare)
"$zozed" --store "$work/store.db" register >/dev/null
"$zozed" --store "$work/store.db" options email --set "Convert to JPEG=Yes" --set "JPEG Optimization=0" \
  --set "Screen size=1" >/dev/null

# Baseline JPEGs of at least 12 megapixels (4,000 x 3,000 and up), made from the wallpapers.
mapfile -t sources < <(dpkg -L ukui-wallpapers | grep -Ei '\.(jpe?g|png)$' | sort | head -n "$count")
((${#sources[@]})) || { echo "ukui-wallpapers holds no photos" >&2; exit 1; }
i=0
for src in "${sources[@]}"; do
  w=$(vipsheader -f width "$src")
  h=$(vipsheader -f height "$src")
  scale=$(awk -v w="$w" -v h="$h" 'BEGIN { s = sqrt(12.5e6 / (w * h)); if (s < 1) s = 1; printf "%.4f", s }')
  VIPS_CONCURRENCY=2 vips resize "$src" "$work/photos/photo$i.jpg[Q=92,interlace=false,optimize_coding=false]" "$scale"
  i=$((i + 1))
done
photos=("$work"/photos/*.jpg)
n=${#photos[@]}
mp=$(for p in "${photos[@]}"; do echo "$(vipsheader -f width "$p") $(vipsheader -f height "$p")"; done |
  awk '{ t += $1 * $2 } END { printf "%.1f", t / NR / 1e6 }')
echo "photos: $n baseline JPEGs, $mp megapixels on average"

# Runs one tool under /usr/bin/time -v; prints "seconds peak_kb".
measure() {
  local name=$1
  shift
  mkdir -p "$work/out_$name"
  /usr/bin/time -v -o "$work/time_$name" "$@" >"$work/log_$name" 2>&1 ||
    { echo "$name failed:" >&2; cat "$work/log_$name" >&2; exit 1; }
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
              /Maximum resident set size/ { kb = $2 }
              END { printf "%.3f %d\n", s, kb }' "$work/time_$name"
}

# The least seconds and the largest peak seen so far for a tool.
declare -A best_s=() peak_kb=()
keep() {
  local name=$1 s=$2 kb=$3
  best_s[$name]=$(awk -v a="${best_s[$name]:-1e9}" -v b="$s" 'BEGIN { print (b < a ? b : a) }')
  peak_kb[$name]=$(( kb > ${peak_kb[$name]:-0} ? kb : ${peak_kb[$name]:-0} ))
}

export VIPS_CONCURRENCY=1 OMP_NUM_THREADS=1
# Relative names: mogrify places each output at -output-directory plus the name as given.
cd "$work/photos"
names=(*.jpg)
for ((r = 0; r < rounds; r++)); do
  rm -rf "$work/out_ours"/*  # zozed prepare numbers a name that is taken
  read -r s kb < <(measure ours "${prepare[@]}" --out "$work/out_ours" "${names[@]}")
  keep ours "$s" "$kb"
  read -r s kb < <(measure vipsthumbnail vipsthumbnail -s 800x600 \
    -o "$work/out_vipsthumbnail/%s.jpg[Q=85,strip]" "${names[@]}")
  keep vipsthumbnail "$s" "$kb"
  read -r s kb < <(measure gm gm mogrify -limit threads 1 -size 800x600 -resize 800x600 -quality 85 -strip \
    -output-directory "$work/out_gm" -format jpg "${names[@]}")
  keep gm "$s" "$kb"
done
cd "$root"

# Fair only if every tool wrote the same sizes at the same quality.
first=${names[0]%.jpg}
echo "the first photo comes out as: zozed-prepare $(vipsheader -f width "$work/out_ours/$first.jpg")x$(vipsheader -f height "$work/out_ours/$first.jpg")," \
  "vipsthumbnail $(vipsheader -f width "$work/out_vipsthumbnail/$first.jpg")x$(vipsheader -f height "$work/out_vipsthumbnail/$first.jpg")," \
  "gm-mogrify $(vipsheader -f width "$work/out_gm/$first.jpg")x$(vipsheader -f height "$work/out_gm/$first.jpg"), all at quality 85"

fastest=$(awk -v a="${best_s[vipsthumbnail]}" -v b="${best_s[gm]}" 'BEGIN { print (a < b ? a : b) }')
printf '\n%-15s %10s %12s %12s %10s\n' tool "wall s" "ms/photo" "peak MB" "ratio"
for row in "zozed-prepare ours" "vipsthumbnail vipsthumbnail" "gm-mogrify gm"; do
  set -- $row
  awk -v t="$1" -v s="${best_s[$2]}" -v kb="${peak_kb[$2]}" -v n="$n" -v f="$fastest" \
    'BEGIN { printf "%-15s %10.3f %12.1f %12.1f %10.2f\n", t, s, s * 1000 / n, kb / 1024, s / f }'
done
echo "ratio: wall time over the faster of vipsthumbnail and gm mogrify, fastest of $rounds rounds" \
  "(target: zozed-prepare <= 0.80, peak < 150 MB)"

echo
echo "file-size mode, target 51,200 bytes (one estimate, no re-encoding):"
"$zozed" --store "$work/store.db" options email --set "JPEG Optimization=1" --set "File size=50" >/dev/null
"${prepare[@]}" --json "${photos[@]}" 2>/dev/null |
  python3 -c 'import json, sys
files = json.load(sys.stdin)["files"]
for f in files:
    print("  %-28s %5d x %-5d %8d bytes (%.2f of target)" % (f["path"].split("/")[-1], f["width"], f["height"], f["bytes"], f["bytes"] / 51200))
mean = sum(f["bytes"] for f in files) / max(len(files), 1)
print("  mean %.0f bytes (%.2f of target), %d over" % (mean, mean / 51200, sum(f["bytes"] > 51200 for f in files)))' 
