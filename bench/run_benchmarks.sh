#!/bin/sh
# Times tokshuf's permutation runs, fast engine against the reference
# engine, on the benchmark texts, and prints a Markdown table.
#
#   bench/run_benchmarks.sh [repetitions]      (default 3)
#
# Builds what it needs in build-bench/ (Release), writes the texts to a
# temporary directory, and runs every configuration with three engines:
# the reference loop, the fast engine with one thread per core (what
# tokshuf itself uses), and the fast engine on one thread. The engines run
# in turn within every repetition, so a drift in the machine's speed hits
# all of them alike; each cell is the median over the repetitions. Wall
# and CPU (user + system) seconds and peak resident memory come from GNU
# time (/usr/bin/time). Every run's profile files are compared with the
# reference's; a difference stops the script.
#
# Needs: cmake, ninja, a C++20 compiler, GoogleTest, Google Benchmark and
# GNU time. Run it on an otherwise idle machine.
set -eu

repetitions=${1:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOKSHUF_BENCH_BUILD:-$root/build-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTOKSHUF_BUILD_TESTS=ON -DTOKSHUF_BUILD_BENCH=ON \
  -DTOKSHUF_BUILD_TOOLS=OFF >/dev/null
ninja -C "$build" tokshuf_variant make_zipfian_text >/dev/null
variant=$build/bin/tokshuf_variant

"$build/bin/make_zipfian_text" --tokens=200000 --types=20000 --seed=1 \
  >"$work/zipf200k.zvc"
cp "$root/examples/genesis.zvc" "$work/genesis.zvc"

# One timed run: prints "wall cpu peak_MB" and keeps the profile files
# under the engine's name.
timed_run() {
  # (sh has no local variables: these names are used nowhere else)
  run_label=$1 run_text=$2 run_engine=$3 run_threads=$4
  shift 4
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
    "$variant" --engine="$run_engine" --threads="$run_threads" "$@" \
    "$work/$run_text.zvc" 2>"$work/console" >/dev/null
  for ext in obs mcm mcl mch; do
    mv "$work/$run_text.$ext" "$work/$run_label.$ext"
  done
  awk '{ printf "%.3f %.3f %.1f\n", $1, $2 + $3, $4 / 1024 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

same_files() {
  for ext in obs mcm mcl mch; do
    cmp -s "$work/$1.$ext" "$work/$2.$ext" || {
      echo "error: $2.$ext differs from $1.$ext" >&2
      exit 1
    }
  done
}

threads=$(getconf _NPROCESSORS_ONLN)
echo "| Text | Options | Engine | Wall s | CPU s | Peak MB | Speed-up (wall) | Speed-up (CPU) |"
echo "|---|---|---|---:|---:|---:|---:|---:|"
for config in "zipf200k -p1000 -k20" "zipf200k -p1000 -k40" \
              "genesis -p1000 -k40" "zipf200k -p5000 -k40"; do
  set -- $config
  text=$1
  shift
  : >"$work/reference.times"
  : >"$work/fast.times"
  : >"$work/fast1.times"
  rep=0
  while [ "$rep" -lt "$repetitions" ]; do
    timed_run reference "$text" reference 1 "$@" >>"$work/reference.times"
    timed_run fast "$text" fast default "$@" >>"$work/fast.times"
    timed_run fast1 "$text" fast 1 "$@" >>"$work/fast1.times"
    same_files reference fast
    same_files reference fast1
    rep=$((rep + 1))
  done
  ref_wall=$(cut -d' ' -f1 "$work/reference.times" | median)
  ref_cpu=$(cut -d' ' -f2 "$work/reference.times" | median)
  for engine in reference fast fast1; do
    case $engine in
      reference) name="reference (1 thread)" ;;
      fast) name="fast (default: $threads threads)" ;;
      fast1) name="fast (1 thread)" ;;
    esac
    wall=$(cut -d' ' -f1 "$work/$engine.times" | median)
    cpu=$(cut -d' ' -f2 "$work/$engine.times" | median)
    peak=$(cut -d' ' -f3 "$work/$engine.times" | median)
    awk -v t="$text" -v o="$*" -v n="$name" -v w="$wall" -v c="$cpu" \
        -v p="$peak" -v rw="$ref_wall" -v rc="$ref_cpu" 'BEGIN {
      printf "| %s | %s | %s | %.2f | %.2f | %.1f | %.2fx | %.2fx |\n",
             t, o, n, w, c, p, rw / w, rc / c }'
  done
done
