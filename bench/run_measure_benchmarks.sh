#!/bin/sh
# Times the diversity columns and the global envelope test, and prints
# Markdown tables:
#
#   bench/run_measure_benchmarks.sh [repetitions]      (default 3)
#
# 1. Column sets at -p1000 -k40 on the 200,000-token Zipfian text
#    (make_zipfian_text --tokens=200000 --types=20000 --seed=1): the classic
#    24 columns, those plus every diversity column but MTLDMA, and all 38;
#    the fast engine on every core and on one thread, the reference engine
#    where 1000 runs take under 10 minutes. For all 38 the reference is
#    timed at -p20 and its time per run given (1000 runs take about three
#    quarters of an hour), and the fast engine's files at -p20 are compared
#    with it.
# 2. The cost of --global and --runs at -p5000 -k40 on Genesis and on the
#    Zipfian text: the fast engine with and without them.
# Every fast run's files are compared with the reference's of the same
# options where both ran; a difference stops the script.
set -eu

repetitions=${1:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
. "$root/bench/bench_common.sh"
build_bench_tools
"$build/bin/make_zipfian_text" --tokens=200000 --types=20000 --seed=1 >"$work/zipf200k.zvc"
cp "$root/examples/genesis.zvc" "$work/genesis.zvc"
threads=$(getconf _NPROCESSORS_ONLN)

cell() {  # label column: median of that column of LABEL.times
  cut -d' ' -f"$2" "$work/$1.times" | median
}

echo "### Column sets"
echo
echo "| Columns | Engine | Runs | Wall s | CPU s | Peak MB | CPU ms per run | Wall over classic |"
echo "|---|---|---:|---:|---:|---:|---:|---:|"
classic_wall=""
for set in classic \
    "classic,TTR,CTTR,Maas,lgV0,U,Summer,I,Vm,HDD,vocdD,MATTR,MSTTR,MTLD" all; do
  case $set in
    classic) name="classic (24)"; ref_runs=1000 ;;
    all) name="all (38)"; ref_runs=20 ;;
    *) name="classic + diversity but MTLDMA (37)"; ref_runs=1000 ;;
  esac
  : >"$work/reference.times"; : >"$work/fast.times"; : >"$work/fast1.times"
  rep=0
  while [ "$rep" -lt "$repetitions" ]; do
    timed_run reference zipf200k reference 1 --measures="$set" -p$ref_runs -k40 \
      >>"$work/reference.times"
    if [ "$ref_runs" != 1000 ]; then
      timed_run fast zipf200k fast default --measures="$set" -p$ref_runs -k40 >/dev/null
      same_outputs reference fast
    fi
    timed_run fast zipf200k fast default --measures="$set" -p1000 -k40 >>"$work/fast.times"
    timed_run fast1 zipf200k fast 1 --measures="$set" -p1000 -k40 >>"$work/fast1.times"
    if [ "$ref_runs" = 1000 ]; then same_outputs reference fast; fi
    same_outputs fast fast1
    rep=$((rep + 1))
  done
  [ -n "$classic_wall" ] || classic_wall=$(cell fast 1)
  for engine in reference fast fast1; do
    case $engine in
      reference) engine_name="reference (1 thread)"; runs=$ref_runs ;;
      fast) engine_name="fast (default: $threads threads)"; runs=1000 ;;
      fast1) engine_name="fast (1 thread)"; runs=1000 ;;
    esac
    awk -v s="$name" -v e="$engine_name" -v r="$runs" -v w="$(cell $engine 1)" \
        -v c="$(cell $engine 2)" -v p="$(cell $engine 3)" -v base="$classic_wall" \
        -v fast="$engine" 'BEGIN {
      over = (fast == "fast") ? sprintf("%.2fx", w / base) : ""
      printf "| %s | %s | %d | %.2f | %.2f | %.1f | %.2f | %s |\n",
             s, e, r, w, c, p, c / (r + 1) * 1000, over }'
  done
done

echo
echo "### The global envelope test and every run's values, at -p5000 -k40"
echo
echo "| Text | Options | Wall s | CPU s | Peak MB | Wall over the runs alone |"
echo "|---|---|---:|---:|---:|---:|"
for text in genesis zipf200k; do
  base_wall=""
  for extra in "" "--global" "--runs" "--global --runs"; do
    label=$(echo "plain$extra" | tr -d ' -')
    : >"$work/$label.times"
    rep=0
    while [ "$rep" -lt "$repetitions" ]; do
      timed_run "$label" "$text" fast default $extra -p5000 -k40 >>"$work/$label.times"
      rep=$((rep + 1))
    done
    [ -n "$base_wall" ] || base_wall=$(cell "$label" 1)
    awk -v t="$text" -v o="-p5000 -k40${extra:+ $extra}" -v w="$(cell "$label" 1)" \
        -v c="$(cell "$label" 2)" -v p="$(cell "$label" 3)" -v b="$base_wall" 'BEGIN {
      printf "| %s | %s | %.2f | %.2f | %.1f | %.2fx |\n", t, o, w, c, p, w / b }'
  done
done
