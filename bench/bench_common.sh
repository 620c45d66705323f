# Shared pieces of the whole-run benchmark scripts; sourced, not run.
#   build_bench_tools     builds tokshuf_variant, make_zipfian_text and
#                         tokshuf-rank (Release)
#   timed_run LABEL TEXT ENGINE THREADS [tokshuf options]
#                         one run of TEXT.zvc in $work; prints "wall cpu peak_MB"
#                         and keeps the output files under LABEL.*
#   median                the median of the numbers on standard input
#   same_outputs A B      stops the script when the runs A and B wrote
#                         different files
# Needs: $root (the source tree) and $work (a scratch directory).

build=${TOKSHUF_BENCH_BUILD:-$root/build-bench}
variant=$build/bin/tokshuf_variant
outputs="obs mcm mcl mch mcr mgl mgh mgt"

build_bench_tools() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTOKSHUF_BUILD_TESTS=ON -DTOKSHUF_BUILD_BENCH=ON \
    -DTOKSHUF_BUILD_TOOLS=ON >/dev/null
  ninja -C "$build" tokshuf_variant make_zipfian_text tokshuf-rank >/dev/null
}

timed_run() {
  run_label=$1 run_text=$2 run_engine=$3 run_threads=$4
  shift 4
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
    "$variant" --engine="$run_engine" --threads="$run_threads" "$@" \
    "$work/$run_text.zvc" 2>"$work/console" >/dev/null || {
    echo "error: $run_label failed:" >&2
    cat "$work/console" >&2
    exit 1
  }
  for ext in $outputs; do
    [ -f "$work/$run_text.$ext" ] && mv "$work/$run_text.$ext" "$work/$run_label.$ext"
  done
  awk '{ printf "%.3f %.3f %.1f\n", $1, $2 + $3, $4 / 1024 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

same_outputs() {
  for ext in $outputs; do
    [ -f "$work/$1.$ext" ] || continue
    cmp -s "$work/$1.$ext" "$work/$2.$ext" || {
      echo "error: $2.$ext differs from $1.$ext" >&2
      exit 1
    }
  done
}
