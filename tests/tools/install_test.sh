#!/bin/bash
# Installs the build tree into a temporary prefix and runs the installed
# programs from text to picture, so that a broken install rule (a missing
# program or manual page) fails a test and not a user.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail

build_dir=$1
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

for program in tokshuf tokshuf-rank tokshuf-plot tokshuf-table; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program not installed"
  page=$prefix/share/man/man1/$program.1
  [[ -s $page ]] || fail "manual page $program.1 not installed"
  grep -q '^\.TH ' "$page" || fail "$program.1 has no .TH line"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES; do
    grep -q "^\.SH \"\?$section\"\?\$" "$page" || fail "$program.1 lacks the section $section"
  done
  if command -v groff >/dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns about $program.1: $warnings"
  fi
done

cd "$work"
cat > psalm.txt <<'TEXT'
The LORD is my shepherd; I shall not want.
He maketh me to lie down in green pastures: he leadeth me beside the still waters.
He restoreth my soul: he leadeth me in the paths of righteousness for his name's sake.
Yea, though I walk through the valley of the shadow of death, I will fear no evil:
for thou art with me; thy rod and thy staff they comfort me.
Thou preparest a table before me in the presence of mine enemies:
thou anointest my head with oil; my cup runneth over.
Surely goodness and mercy shall follow me all the days of my life:
and I will dwell in the house of the LORD for ever.
TEXT

"$prefix/bin/tokshuf-rank" psalm.txt 2>rank.err || fail "tokshuf-rank failed: $(cat rank.err)"
grep -qx 'Wrote psalm.zvc (118 word tokens, 74 word types)' rank.err \
  || fail "unexpected tokshuf-rank report: $(cat rank.err)"
"$prefix/bin/tokshuf" -p10 -k4 psalm.zvc 2>tokshuf.err || fail "tokshuf failed: $(cat tokshuf.err)"
for ext in obs mcm mcl mch; do [[ -s psalm.$ext ]] || fail "psalm.$ext missing"; done
"$prefix/bin/tokshuf-plot" psalm.obs 2>plot.err || fail "tokshuf-plot failed: $(cat plot.err)"
[[ $(grep -c '<g class="panel"' psalm.svg) == 24 ]] || fail "psalm.svg lacks its 24 panels"
grep -q 'psalm.obs — 4 chunks, 118 tokens' psalm.svg || fail "psalm.svg has the wrong title"
"$prefix/bin/tokshuf-table" -o psalm.csv psalm.obs 2>table.err \
  || fail "tokshuf-table failed: $(cat table.err)"
[[ $(wc -l < psalm.csv) == 97 ]] || fail "psalm.csv lacks its 4 x 24 rows and header"
echo "install_test: installed programs and manual pages work"
