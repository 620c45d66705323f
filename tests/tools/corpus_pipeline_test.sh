#!/bin/bash
# The README's comparison pipeline on three small texts: each text ranked
# and run through tokshuf in parallel with xargs (and with GNU parallel
# where it is installed), then one table and both kinds of picture.
# Usage: corpus_pipeline_test.sh BIN_DIR TEXTS_DIR
set -euo pipefail

bin=$1
texts=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "corpus_pipeline_test: $*" >&2; exit 1; }

# A text's first hundred verses keep the runs short.
mkdir "$work/corpus"
for name in ruth ecclesiastes acts; do
  head -n 100 "$texts/$name.txt" > "$work/corpus/$name.txt"
done
cd "$work"

printf '%s\0' corpus/*.txt | xargs -0 -n 1 -P "$(nproc)" "$bin/tokshuf-rank" 2>rank.err \
  || fail "tokshuf-rank failed: $(cat rank.err)"
[[ $(grep -c '^Wrote corpus/.*\.zvc' rank.err) == 3 ]] || fail "rank reports: $(cat rank.err)"
printf '%s\0' corpus/*.zvc | xargs -0 -n 1 -P "$(nproc)" "$bin/tokshuf" -p20 -k10 2>tokshuf.err \
  || fail "tokshuf failed: $(cat tokshuf.err)"
for name in ruth ecclesiastes acts; do
  for ext in obs mcm mcl mch; do
    [[ -s corpus/$name.$ext ]] || fail "corpus/$name.$ext missing"
  done
done

"$bin/tokshuf-table" -o corpus/table.csv corpus/*.obs 2>table.err \
  || fail "tokshuf-table failed: $(cat table.err)"
grep -qx 'Wrote corpus/table.csv (720 rows, 3 texts)' table.err || fail "$(cat table.err)"
[[ $(head -n 1 corpus/table.csv) == text,chunk,N,measure,obs,mean,lower,upper,position ]] \
  || fail "table header: $(head -n 1 corpus/table.csv)"
for name in ruth ecclesiastes acts; do
  # Every chunk of every text has its 24 measures, each with a band.
  rows=$(grep -c "^corpus/$name,[0-9]*,[0-9]*,[A-Za-z0-9]*,[^,]*,[^,]*,[^,]*,[^,]*,\(below\|inside\|above\|\)\$" \
         corpus/table.csv)
  [[ $rows == 240 ]] || fail "corpus/$name has $rows rows in the table, not 240"
  # The last chunk's N is the text's token count as tokshuf-rank reported it.
  tokens=$(sed -n "s|^Wrote corpus/$name.zvc (\([0-9]*\) word tokens.*|\1|p" rank.err)
  grep -q "^corpus/$name,10,$tokens,V," corpus/table.csv || fail "no last chunk of $tokens for $name"
done
"$bin/tokshuf-table" --summary corpus/*.obs > corpus/summary.csv || fail "summary failed"
[[ $(wc -l < corpus/summary.csv) == 73 ]] || fail "summary has $(wc -l < corpus/summary.csv) lines"

well_formed() {
  if command -v xmllint >/dev/null; then
    xmllint --noout "$1" || fail "$1 is not well-formed XML"
  fi
}
"$bin/tokshuf-plot" --relative -o texts.svg corpus/ruth.obs corpus/ecclesiastes.obs \
  corpus/acts.obs 2>plot.err || fail "tokshuf-plot failed: $(cat plot.err)"
[[ $(grep -c '<g class="panel"' texts.svg) == 24 ]] || fail "texts.svg lacks its 24 panels"
grep -q '3 texts: ruth, ecclesiastes, acts' texts.svg || fail "texts.svg has the wrong title"
well_formed texts.svg
"$bin/tokshuf-plot" --plane Z,K -o plane.svg corpus/ruth.obs corpus/ecclesiastes.obs \
  corpus/acts.obs 2>plot.err || fail "tokshuf-plot --plane failed: $(cat plot.err)"
grep -q 'K against Z' plane.svg || fail "plane.svg has the wrong title"
well_formed plane.svg

# The same batch with GNU parallel, where it is installed: the same files.
if command -v parallel >/dev/null; then
  mkdir again
  cp corpus/*.txt again/
  parallel --will-cite "$bin/tokshuf-rank" ::: again/*.txt 2>/dev/null || fail "parallel rank failed"
  parallel --will-cite "$bin/tokshuf" -p20 -k10 ::: again/*.zvc 2>/dev/null \
    || fail "parallel tokshuf failed"
  for name in ruth ecclesiastes acts; do
    cmp -s "corpus/$name.obs" "again/$name.obs" || fail "again/$name.obs differs"
  done
fi
echo "corpus_pipeline_test: three texts from plain text to table and pictures"
