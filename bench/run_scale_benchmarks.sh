#!/bin/sh
# Times tokshuf on long texts and with independent runs, and prints
# Markdown tables:
#
#   bench/run_scale_benchmarks.sh [repetitions]      (default 1)
#
# 1. Texts beyond the classic limits, at -p1000 -k40 --no-limits: the whole
#    King James Bible (from Debian's bible-kjv-text, installed here when
#    apt-get may install it; otherwise 21 copies of Genesis stand in for it,
#    and the table says so) and Zipfian texts of 1, 4 and 16 million tokens
#    (make_zipfian_text --tokens=T --types=T/10 --seed=1). Engines: the
#    reference (only where a probe of 20 runs predicts under 10 minutes for
#    1000), the fast engine on every core and on one thread. Columns: wall
#    and CPU seconds, peak resident memory and bytes per token, and the CPU
#    time per token of one run (CPU seconds / 1001 runs / N).
# 2. Threads with and without --seed, at -p1000 -k40: the 200,000-token
#    Zipfian text of run_benchmarks.sh and the KJV with --no-limits, on 1
#    and 2 threads of the fast engine.
# Every run's files are compared with the reference's (or, for the seeded
# runs, between the thread counts); a difference stops the script.
#
# Needs: cmake, ninja, a C++20 compiler, GoogleTest, Google Benchmark and
# GNU time. Run it on an otherwise idle machine; the 16-million-token text
# takes several minutes per run of the fast engine.
set -eu

repetitions=${1:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
. "$root/bench/bench_common.sh"
build_bench_tools

kjv_note=""
kjv_text() {
  if ! command -v bible >/dev/null 2>&1; then
    apt-get install -y bible-kjv-text bible-kjv >/dev/null 2>&1 || true
  fi
  if command -v bible >/dev/null 2>&1; then
    bible -f 'Gen1:1-Rev22:21' | sed 's/^[0-9A-Za-z]*[0-9]*:[0-9]* //' >"$work/kjv.txt"
  else
    kjv_note=" (21 copies of Genesis stand in for the KJV: bible-kjv-text was not available)"
    for copy in $(seq 21); do awk 'NR > 1 { print $1 }' "$root/examples/genesis.zvc"; done \
      >"$work/kjv.txt"
  fi
  "$build/bin/tokshuf-rank" "$work/kjv.txt" "$work/kjv.zvc" 2>/dev/null
}

zipf_text() {  # name tokens
  "$build/bin/make_zipfian_text" --tokens="$2" --types=$(($2 / 10)) --seed=1 >"$work/$1.zvc"
}

describe() {  # name: "N tokens, V types"
  awk 'NR > 1 { n++; if (!($2 in seen)) { seen[$2] = 1; v++ } }
       END { printf "%d tokens, %d types", n, v }' "$work/$1.zvc"
}

row() {  # text options engine-name label reference-label
  row_times=$work/$4.times
  wall=$(cut -d' ' -f1 "$row_times" | median)
  cpu=$(cut -d' ' -f2 "$row_times" | median)
  peak=$(cut -d' ' -f3 "$row_times" | median)
  tokens=$(awk 'NR > 1 { n++ } END { print n }' "$work/$1.zvc")
  awk -v t="$1" -v o="$2" -v e="$3" -v w="$wall" -v c="$cpu" -v p="$peak" -v n="$tokens" \
      -v ref="$5" 'BEGIN {
    printf "| %s | %s | %s | %.2f | %.2f | %.1f | %.0f | %.1f | %s |\n",
           t, o, e, w, c, p, p * 1048576 / n, c / 1001 / n * 1e9, ref }'
}

echo "### Long texts${kjv_note}"
echo
echo "| Text | Options | Engine | Wall s | CPU s | Peak MB | Bytes per token | CPU ns per token and run | Speed-up (wall) |"
echo "|---|---|---|---:|---:|---:|---:|---:|---:|"
threads=$(getconf _NPROCESSORS_ONLN)
kjv_text
zipf_text zipf1m 1000000
zipf_text zipf4m 4000000
zipf_text zipf16m 16000000
for text in kjv zipf1m zipf4m zipf16m; do
  echo "$text: $(describe "$text")" >&2
  options="--no-limits -p1000 -k40"
  # A probe of 20 reference runs predicts the time of 1000.
  probe=$(timed_run probe "$text" reference 1 --no-limits -p20 -k40 | cut -d' ' -f1)
  with_reference=$(awk -v p="$probe" 'BEGIN { print (p * 1001 / 21 < 600) ? 1 : 0 }')
  : >"$work/reference.times"; : >"$work/fast.times"; : >"$work/fast1.times"
  rep=0
  while [ "$rep" -lt "$repetitions" ]; do
    if [ "$with_reference" = 1 ]; then
      timed_run reference "$text" reference 1 $options >>"$work/reference.times"
    fi
    timed_run fast "$text" fast default $options >>"$work/fast.times"
    timed_run fast1 "$text" fast 1 $options >>"$work/fast1.times"
    if [ "$with_reference" = 1 ]; then same_outputs reference fast; fi
    same_outputs fast fast1
    rep=$((rep + 1))
  done
  ref_wall=""
  if [ "$with_reference" = 1 ]; then
    ref_wall=$(cut -d' ' -f1 "$work/reference.times" | median)
    row "$text" "$options" "reference (1 thread)" reference 1.00x
  fi
  for engine in fast fast1; do
    case $engine in
      fast) name="fast (default: $threads threads)" ;;
      fast1) name="fast (1 thread)" ;;
    esac
    speedup="(reference over 10 min)"
    if [ -n "$ref_wall" ]; then
      speedup=$(awk -v r="$ref_wall" -v w="$(cut -d' ' -f1 "$work/$engine.times" | median)" \
                'BEGIN { printf "%.2fx", r / w }')
    fi
    row "$text" "$options" "$name" "$engine" "$speedup"
  done
done

echo
echo "### Threads, with and without --seed"
echo
echo "| Text | Options | Threads | Wall s | CPU s | Peak MB | Bytes per token | CPU ns per token and run | 1 thread over 2 (wall) |"
echo "|---|---|---|---:|---:|---:|---:|---:|---:|"
"$build/bin/make_zipfian_text" --tokens=200000 --types=20000 --seed=1 >"$work/zipf200k.zvc"
for text in zipf200k kjv; do
  for seed in "" "--seed=1"; do
    options="--no-limits -p1000 -k40${seed:+ $seed}"
    : >"$work/one.times"; : >"$work/two.times"
    rep=0
    while [ "$rep" -lt "$repetitions" ]; do
      timed_run one "$text" fast 1 $options >>"$work/one.times"
      timed_run two "$text" fast 2 $options >>"$work/two.times"
      same_outputs one two
      rep=$((rep + 1))
    done
    one=$(cut -d' ' -f1 "$work/one.times" | median)
    two=$(cut -d' ' -f1 "$work/two.times" | median)
    ratio=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2fx", a / b }')
    row "$text" "$options" 1 one ""
    row "$text" "$options" 2 two "$ratio"
  done
done
