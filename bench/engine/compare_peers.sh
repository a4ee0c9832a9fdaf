#!/bin/bash
# Times scalora-batch against the image tools usually found on a Linux desktop, on the same
# files in the same run, and prints images per second, peak memory and the ratios.
#
# usage: bench/engine/compare_peers.sh [SCALORA_BATCH] [CORPUS]
#   SCALORA_BATCH  the built tool (default: build/bin/scalora-batch of this checkout)
#   CORPUS         folder with jpeg/ and png/ subfolders (default: ../shared/corpus)
#
# Workloads:
#   jpeg-fit  every JPEG fitted into 1280 x 1280, written as JPEG quality 90 with metadata
#   png-half  every PNG at 50 percent, written as PNG
# Peers (each only when installed): vipsthumbnail (vips for the PNG workload), ImageMagick
# convert (one process per image), Pillow (one Python process for all images).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
tool="${1:-$repo/build/bin/scalora-batch}"
corpus="${2:-$repo/../shared/corpus}"
timer=/usr/bin/time
python=/usr/bin/python3

if [[ ! -x "$tool" ]]; then
    echo "compare_peers: $tool is not built (ninja -C build scalora-batch)" >&2
    exit 2
fi
if [[ ! -x "$timer" ]]; then
    echo "compare_peers: $timer is missing (apt-get install -y time)" >&2
    exit 2
fi
mapfile -t jpegs < <(find "$corpus/jpeg" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | sort)
mapfile -t pngs < <(find "$corpus/png" -maxdepth 1 -type f -iname '*.png' | sort)
if (( ${#jpegs[@]} == 0 || ${#pngs[@]} == 0 )); then
    echo "compare_peers: no JPEG or PNG files under $corpus" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Results: one line per measurement: workload tool images seconds peak_kib
results="$work/results.txt"
: > "$results"

# measure WORKLOAD TOOL IMAGES COMMAND...: runs the command once under GNU time.
measure() {
    local workload="$1" name="$2" images="$3"
    shift 3
    local out="$work/out-$workload-$name"
    rm -rf "$out" && mkdir -p "$out"
    local log="$work/time-$workload-$name.txt"
    local start end
    start=$(date +%s.%N)
    local status=0
    OUT="$out" "$timer" -v -o "$log" "$@" > "$work/stdout.txt" 2> "$work/stderr.txt" || status=$?
    end=$(date +%s.%N)
    local written
    written=$(find "$out" -type f | wc -l)
    if (( status != 0 )); then
        echo "compare_peers: $name exited with $status on $workload:" >&2
        tail -3 "$work/stderr.txt" >&2
    fi
    if (( written == 0 )); then
        return 0
    fi
    if (( written != images )); then
        echo "compare_peers: $name wrote $written of $images files on $workload" >&2
    fi
    local peak
    peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
    echo "$workload $name $images $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }') $peak" >> "$results"
}

# A warm file cache for everybody: read the inputs once before timing.
cat "${jpegs[@]}" "${pngs[@]}" > /dev/null

# --- jpeg-fit -------------------------------------------------------------------------
measure jpeg-fit scalora-batch ${#jpegs[@]} \
    bash -c '"$0" --mode fit --width 1280 --height 1280 --format jpg --quality 90 \
             --copy-metadata --overwrite --no-recursive --dest "$OUT" "$@"' "$tool" "${jpegs[@]}"
if command -v vipsthumbnail > /dev/null; then
    measure jpeg-fit vipsthumbnail ${#jpegs[@]} \
        bash -c 'vipsthumbnail --size 1280x1280 -o "$OUT/%s.jpg[Q=90]" "$@"' _ "${jpegs[@]}"
fi
if command -v convert > /dev/null; then
    measure jpeg-fit convert ${#jpegs[@]} \
        bash -c 'for f; do b="${f##*/}"; convert "$f" -resize 1280x1280 -quality 90 \
                 "$OUT/${b%.*}.jpg" || exit 1; done' _ "${jpegs[@]}"
fi
if "$python" -c 'import PIL' 2> /dev/null; then
    measure jpeg-fit pillow ${#jpegs[@]} \
        bash -c '"$0" "$1" jpeg-fit "$OUT" "${@:2}"' "$python" "$here/pillow_workload.py" "${jpegs[@]}"
fi

# --- png-half -------------------------------------------------------------------------
measure png-half scalora-batch ${#pngs[@]} \
    bash -c '"$0" --mode percentage --width 50 --height 50 --format png --overwrite \
             --no-recursive --dest "$OUT" "$@"' "$tool" "${pngs[@]}"
if command -v vips > /dev/null; then
    # vipsthumbnail takes a box, not a scale: the plain vips resize is the like-for-like call.
    measure png-half vips ${#pngs[@]} \
        bash -c 'for f; do b="${f##*/}"; vips resize "$f" "$OUT/${b%.*}.png" 0.5 || exit 1; done' \
        _ "${pngs[@]}"
fi
if command -v convert > /dev/null; then
    measure png-half convert ${#pngs[@]} \
        bash -c 'for f; do b="${f##*/}"; convert "$f" -resize 50% "$OUT/${b%.*}.png" || exit 1; done' \
        _ "${pngs[@]}"
fi
if "$python" -c 'import PIL' 2> /dev/null; then
    measure png-half pillow ${#pngs[@]} \
        bash -c '"$0" "$1" png-half "$OUT" "${@:2}"' "$python" "$here/pillow_workload.py" "${pngs[@]}"
fi

# --- table ----------------------------------------------------------------------------
echo "machine: $(nproc) cores; corpus: ${#jpegs[@]} JPEG, ${#pngs[@]} PNG files in $corpus"
awk '
{
    workload = $1; tool = $2; rate = $3 / $4; peak = $5 / 1024
    key = workload SUBSEP tool
    rates[key] = rate; peaks[key] = peak; secs[key] = $4; count[key] = $3
    order[++n] = key
    if (tool == "scalora-batch") { ownRate[workload] = rate; ownPeak[workload] = peak }
}
END {
    printf "%-9s %-14s %6s %8s %9s %9s %12s %11s\n", "workload", "tool", "images", "seconds",
           "images/s", "peak MiB", "speed ratio", "mem ratio"
    for (i = 1; i <= n; ++i) {
        split(order[i], part, SUBSEP)
        w = part[1]; t = part[2]
        peer = t != "scalora-batch" && (w in ownRate)
        speed = peer && rates[order[i]] > 0 ? sprintf("%.2f", ownRate[w] / rates[order[i]]) : "-"
        mem = peer && peaks[order[i]] > 0 ? sprintf("%.2f", ownPeak[w] / peaks[order[i]]) : "-"
        printf "%-9s %-14s %6d %8.2f %9.2f %9.1f %12s %11s\n", w, t, count[order[i]], secs[order[i]],
               rates[order[i]], peaks[order[i]], speed, mem
    }
    print "speed ratio = scalora-batch images/s / tool images/s (above 1: scalora-batch is faster)"
    print "mem ratio   = scalora-batch peak / tool peak (below 1: scalora-batch uses less)"
}' "$results"
