#!/bin/bash
# Times scalora-batch against the image tools found on a Linux desktop, on the same files in the
# same run, and prints the race's table: speed ratios (medians of RUNS runs), peak memory, output
# bytes, PSNR against the ideal result (bench/engine/quality.py) and the gamma test.
#
# usage: bench/engine/compare_peers.sh [SCALORA_BATCH] [CORPUS]
#   SCALORA_BATCH  the built tool (default: build/bin/scalora-batch of this checkout)
#   CORPUS         folder with jpeg/ and png/ subfolders (default: ../shared/corpus)
# Environment: RUNS (default 3); JOBS, passed to scalora-batch as --jobs when set.
#
# Workloads:
#   W1  every JPEG fitted into 1280 x 1280, JPEG quality 90, metadata kept
#   W4  every JPEG to width 800, PNG
#   W3  every PNG at 50 percent, PNG
#   gamma  a 64 x 64 sRGB PNG of 1-pixel black and white lines, and a checkerboard, at 50 percent
# Peers, each only when installed: vipsthumbnail / vips (libvips-tools), ImageMagick convert and
# GraphicsMagick gm (one process per image), Pillow (one Python process for all images). Their
# exact commands are printed with the table.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
tool="${1:-$repo/build/bin/scalora-batch}"
corpus="${2:-$repo/../shared/corpus}"
runs="${RUNS:-3}"
timer=/usr/bin/time
python=/usr/bin/python3
quality="$here/quality.py"

if [[ ! -x "$tool" ]]; then
    echo "compare_peers: $tool is not built (ninja -C build scalora-batch)" >&2
    exit 2
fi
if [[ ! -x "$timer" ]]; then
    echo "compare_peers: $timer is missing (apt-get install -y time)" >&2
    exit 2
fi
if ! "$python" -c 'import numpy, PIL' 2> /dev/null; then
    echo "compare_peers: the quality script needs python3-numpy and python3-pil" >&2
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
mkdir -p "$work/gamma-in"
"$python" "$quality" gamma-images "$work/gamma-in"
gammas=("$work/gamma-in/lines.png" "$work/gamma-in/checker.png")

jobs=()
if [[ -n "${JOBS:-}" ]]; then
    jobs=(--jobs "$JOBS")
fi

# One line per workload and tool: workload tool images median_seconds median_peak_kib
results="$work/results.txt"
: > "$results"
commands="$work/commands.txt"
: > "$commands"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure WORKLOAD TOOL DESCRIPTION COMMAND...: runs the command RUNS times under GNU time with
# OUT set to a fresh folder (the last run's results stay in $work/out-WORKLOAD-TOOL).
measure() {
    local workload="$1" name="$2" description="$3"
    shift 3
    local out="$work/out-$workload-$name"
    local times="$work/times-$workload-$name.txt"
    : > "$times"
    local run
    for (( run = 0; run < runs; ++run )); do
        rm -rf "$out" && mkdir -p "$out"
        local log="$work/time.txt"
        local start end status=0
        start=$(date +%s.%N)
        OUT="$out" "$timer" -v -o "$log" "$@" > "$work/stdout.txt" 2> "$work/stderr.txt" || status=$?
        end=$(date +%s.%N)
        if (( status != 0 )); then
            echo "compare_peers: $name exited with $status on $workload:" >&2
            tail -3 "$work/stderr.txt" >&2
        fi
        echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }') $(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")" >> "$times"
    done
    local written
    written=$(find "$out" -type f | wc -l)
    if (( written == 0 )); then
        return 0
    fi
    echo "$workload $name $written $(cut -d' ' -f1 "$times" | median) $(cut -d' ' -f2 "$times" | median)" >> "$results"
    echo "$workload $name: $description" >> "$commands"
}

# A warm file cache for everybody: read the inputs once before timing.
cat "${jpegs[@]}" "${pngs[@]}" > /dev/null

has() { command -v "$1" > /dev/null; }
pillow() { "$python" -c 'import PIL' 2> /dev/null; }

# --- W1: fit 1280, JPEG q90, metadata --------------------------------------------------------
measure W1 scalora-batch "scalora-batch --mode fit --width 1280 --height 1280 --format jpg --quality 90 --copy-metadata ${jobs[*]} --dest OUT FILES" \
    bash -c '"$0" --mode fit --width 1280 --height 1280 --format jpg --quality 90 \
             --copy-metadata --overwrite --no-recursive "${@:2:$1}" --dest "$OUT" "${@:$(($1 + 2))}"' \
    "$tool" ${#jobs[@]} "${jobs[@]}" "${jpegs[@]}"
if has vipsthumbnail; then
    measure W1 vipsthumbnail 'vipsthumbnail --size 1280x1280 -o "OUT/%s.jpg[Q=90]" FILES' \
        bash -c 'vipsthumbnail --size 1280x1280 -o "$OUT/%s.jpg[Q=90]" "$@"' _ "${jpegs[@]}"
fi
if has convert; then
    measure W1 convert 'for f in FILES: convert f -resize 1280x1280 -quality 90 OUT/f.jpg' \
        bash -c 'for f; do b="${f##*/}"; convert "$f" -resize 1280x1280 -quality 90 \
                 "$OUT/${b%.*}.jpg" || exit 1; done' _ "${jpegs[@]}"
fi
if has gm; then
    measure W1 gm 'for f in FILES: gm convert f -resize 1280x1280 -quality 90 OUT/f.jpg' \
        bash -c 'for f; do b="${f##*/}"; gm convert "$f" -resize 1280x1280 -quality 90 \
                 "$OUT/${b%.*}.jpg" || exit 1; done' _ "${jpegs[@]}"
fi
if pillow; then
    measure W1 pillow 'pillow_workload.py jpeg-fit OUT FILES (thumbnail((1280, 1280), LANCZOS), quality 90, exif and icc kept)' \
        "$python" "$here/pillow_workload.py" jpeg-fit "$work/out-W1-pillow" "${jpegs[@]}"
fi

# --- W4: width 800, PNG ----------------------------------------------------------------------
measure W4 scalora-batch "scalora-batch --mode width --width 800 --height 800 --format png ${jobs[*]} --dest OUT FILES" \
    bash -c '"$0" --mode width --width 800 --height 800 --format png --overwrite --no-recursive \
             "${@:2:$1}" --dest "$OUT" "${@:$(($1 + 2))}"' "$tool" ${#jobs[@]} "${jobs[@]}" "${jpegs[@]}"
if has vipsthumbnail; then
    measure W4 vipsthumbnail 'vipsthumbnail --size 800x -o "OUT/%s.png" FILES' \
        bash -c 'vipsthumbnail --size 800x -o "$OUT/%s.png" "$@"' _ "${jpegs[@]}"
fi

# --- W3: PNGs at 50 %, PNG -------------------------------------------------------------------
measure W3 scalora-batch "scalora-batch --mode percentage --width 50 --height 50 --format png ${jobs[*]} --dest OUT FILES" \
    bash -c '"$0" --mode percentage --width 50 --height 50 --format png --overwrite --no-recursive \
             "${@:2:$1}" --dest "$OUT" "${@:$(($1 + 2))}"' "$tool" ${#jobs[@]} "${jobs[@]}" "${pngs[@]}"
if pillow; then
    measure W3 pillow 'pillow_workload.py png-half OUT FILES (resize to half, LANCZOS)' \
        bash -c '"$0" "$1" png-half "$OUT" "${@:2}"' "$python" "$here/pillow_workload.py" "${pngs[@]}"
fi
if has vips; then
    # vipsthumbnail takes a box, not a scale: the plain vips resize is the like-for-like call.
    measure W3 vips 'for f in FILES: vips resize f OUT/f.png 0.5' \
        bash -c 'for f; do b="${f##*/}"; vips resize "$f" "$OUT/${b%.*}.png" 0.5 || exit 1; done' \
        _ "${pngs[@]}"
fi
if has convert; then
    measure W3 convert 'for f in FILES: convert f -resize 50% OUT/f.png' \
        bash -c 'for f; do b="${f##*/}"; convert "$f" -resize 50% "$OUT/${b%.*}.png" || exit 1; done' \
        _ "${pngs[@]}"
fi

# --- gamma: each tool's W3 command on the two patterns (one run; only the pixels count) ------
gamma_line() {
    local name="$1"
    shift
    local out="$work/gamma-$name"
    rm -rf "$out" && mkdir -p "$out"
    if OUT="$out" "$@" > /dev/null 2>&1; then
        echo "$name $("$python" "$quality" gamma "$out")" >> "$work/gamma.txt"
    fi
}
: > "$work/gamma.txt"
gamma_line scalora-batch bash -c '"$0" --mode percentage --width 50 --height 50 --format png \
    --overwrite --dest "$OUT" "$@"' "$tool" "${gammas[@]}"
if has vips; then
    gamma_line vips bash -c 'for f; do b="${f##*/}"; vips resize "$f" "$OUT/$b" 0.5 || exit 1; done' \
        _ "${gammas[@]}"
fi
if has convert; then
    gamma_line convert bash -c 'for f; do b="${f##*/}"; convert "$f" -resize 50% "$OUT/$b" || exit 1; done' \
        _ "${gammas[@]}"
fi
if has gm; then
    gamma_line gm bash -c 'for f; do b="${f##*/}"; gm convert "$f" -resize 50% "$OUT/$b" || exit 1; done' \
        _ "${gammas[@]}"
fi
if pillow; then
    gamma_line pillow bash -c '"$0" "$1" png-half "$OUT" "${@:2}"' "$python" "$here/pillow_workload.py" \
        "${gammas[@]}"
fi

# --- quality: PSNR of scalora-batch and vipsthumbnail (QUALITY_ALL=1: of every tool) ----------
: > "$work/quality.txt"
for workload in W1 W4; do
    dirs=()
    for d in "$work/out-$workload-"*; do
        name="${d##*/out-$workload-}"
        if [[ "$name" == scalora-batch || "$name" == vipsthumbnail || -n "${QUALITY_ALL:-}" ]]; then
            dirs+=("$d")
        fi
    done
    "$python" "$quality" psnr "$corpus/jpeg" "${dirs[@]}" |
        sed "s|$work/out-$workload-||; s|^|$workload |" >> "$work/quality.txt"
done

# --- the table -------------------------------------------------------------------------------
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg); medians of $runs runs"
echo "corpus: ${#jpegs[@]} JPEG, ${#pngs[@]} PNG files in $corpus"
echo
awk '
FILENAME ~ /results/ {
    w = $1; t = $2; key = w SUBSEP t
    n[key] = $3; secs[key] = $4; peak[key] = $5 / 1024
    order[++count] = key
    if (t == "scalora-batch") own[w] = $4
    next
}
FILENAME ~ /quality/ { db[$1 SUBSEP $2] = $3; bytes[$1 SUBSEP $2] = $4; meta[$1 SUBSEP $2] = $5 }
END {
    printf "%-4s %-14s %6s %8s %9s %11s %9s %12s %11s %8s\n", "", "tool", "images", "seconds",
           "images/s", "speed ratio", "peak MiB", "bytes", "metadata", "PSNR dB"
    for (i = 1; i <= count; ++i) {
        key = order[i]; split(key, part, SUBSEP); w = part[1]; t = part[2]
        ratio = (t != "scalora-batch" && (w in own) && own[w] > 0) ? sprintf("%.2f", secs[key] / own[w]) : "-"
        b = (key in bytes) ? bytes[key] : "-"
        m = (key in meta) ? meta[key] : "-"
        d = (key in db) ? db[key] : "-"
        printf "%-4s %-14s %6d %8.2f %9.2f %11s %9.1f %12s %11s %8s\n", w, t, n[key], secs[key],
               n[key] / secs[key], ratio, peak[key], b, m, d
    }
    print "speed ratio = tool seconds / scalora-batch seconds (above 1: scalora-batch is faster)"
    print "PSNR against the full-size decode resized in linear light (bench/engine/quality.py);"
    print "bytes = all output files, metadata = their APPn and COM segments (copied EXIF, ICC, XMP)"
}' "$results" "$work/quality.txt"
echo
echo "gamma test, mean level away from the borders (lines, checkerboard); linear light gives 188:"
sed 's/^/  /' "$work/gamma.txt"
echo
echo "the goals:"
awk '
FILENAME ~ /results/ { secs[$1 SUBSEP $2] = $4; peak[$1 SUBSEP $2] = $5 / 1024; next }
FILENAME ~ /quality/ { db[$1 SUBSEP $2] = $3; img[$1 SUBSEP $2] = $4 - $5; all[$1 SUBSEP $2] = $4; next }
FILENAME ~ /gamma/ { if ($1 == "scalora-batch") { gl = $2; gc = $3 } }
function ratio(w, t) { return secs[w SUBSEP t] / secs[w SUBSEP "scalora-batch"] }
function verdict(ok) { return ok ? "met" : "NOT met" }
END {
    s = "scalora-batch"; v = "vipsthumbnail"
    if ((("W1" SUBSEP v) in secs)) {
        r = ratio("W1", v); printf "  W1 speed      %.2fx vipsthumbnail (goal >= 3.0): %s\n", r, verdict(r >= 3.0)
    }
    if ((("W4" SUBSEP v) in secs)) {
        r = ratio("W4", v); printf "  W4 speed      %.2fx vipsthumbnail (goal >= 2.0): %s\n", r, verdict(r >= 2.0)
    }
    if ((("W3" SUBSEP "pillow") in secs)) {
        r = ratio("W3", "pillow"); printf "  W3 speed      %.2fx Pillow (goal >= 2.5): %s\n", r, verdict(r >= 2.5)
    }
    printf "  gamma         %s on lines, %s on the checkerboard (goal 188): %s\n", gl, gc, verdict(gl == 188 && gc == 188)
    if ((("W4" SUBSEP v) in db)) {
        d = db["W4" SUBSEP s] - db["W4" SUBSEP v]
        printf "  W4 quality    %+.2f dB over vips (goal >= +3): %s\n", d, verdict(d >= 3)
    }
    if ((("W1" SUBSEP v) in db)) {
        d = db["W1" SUBSEP s] - db["W1" SUBSEP v]
        printf "  W1 quality    %+.2f dB over vips (goal >= +1): %s; picture bytes %d against %d, all bytes %d against %d\n",
               d, verdict(d >= 1), img["W1" SUBSEP s], img["W1" SUBSEP v], all["W1" SUBSEP s], all["W1" SUBSEP v]
    }
    if ((("W1" SUBSEP v) in peak)) {
        printf "  W1 memory     %.1f MiB against vipsthumbnail %.1f MiB: %s\n", peak["W1" SUBSEP s],
               peak["W1" SUBSEP v], verdict(peak["W1" SUBSEP s] <= peak["W1" SUBSEP v])
    }
}' "$results" "$work/quality.txt" "$work/gamma.txt"
echo
echo "commands (OUT: a fresh folder per run; FILES: the corpus files in name order):"
sed 's/^/  /' "$commands"
