// --global: TEXT.mgl, TEXT.mgh and TEXT.mgt, checked against a plain
// recomputation of the global rank envelope test from every run's values
// (TEXT.mcr), written here from the definitions alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

struct Recomputed {
  double p = NAN;
  std::vector<double> lower, upper;  // by chunk 0..d-1
  std::string below, above, leftOut;
};

std::string chunkList(const std::vector<int>& chunks) {
  std::string list;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const bool runContinues = i > 0 && chunks[i] == chunks[i - 1] + 1;
    const bool runGoesOn = i + 1 < chunks.size() && chunks[i + 1] == chunks[i] + 1;
    if (runContinues && runGoesOn) continue;
    if (!runContinues && !list.empty()) list += ',';
    if (runContinues) list += '-';
    list += std::to_string(chunks[i]);
  }
  return list.empty() ? "none" : list;
}

// 2 * the average position of each vector among all, smallest first.
std::vector<long> doubledPositions(const std::vector<std::vector<long>>& vectors) {
  std::vector<long> positions;
  for (const auto& mine : vectors) {
    long smaller = 0, same = 0;
    for (const auto& other : vectors) {
      smaller += other < mine;
      same += other == mine;
    }
    positions.push_back(2 * smaller + same + 1);
  }
  return positions;
}

// values[curve][chunk]; curve 0 is the text.
Recomputed recompute(const std::vector<std::vector<double>>& values, bool fitted, int level) {
  const int N = int(values.size());
  const int d = int(values[0].size());
  Recomputed r;
  std::vector<int> kept, leftOut;
  for (int k = 0; k < d; ++k) {
    bool ok = true;
    for (const auto& curve : values) ok = ok && std::isfinite(curve[k]) && !(fitted && curve[k] == 0);
    (ok ? kept : leftOut).push_back(k);
  }
  std::vector<std::vector<long>> ranks(N);  // doubled two-sided ranks
  for (int k : kept) {
    for (int i = 0; i < N; ++i) {
      long smaller = 0, same = 0;
      for (int j = 0; j < N; ++j) {
        smaller += values[j][k] < values[i][k];
        same += values[j][k] == values[i][k];
      }
      const long twiceRank = 2 * smaller + same + 1;
      ranks[i].push_back(std::min(twiceRank, 2L * (N + 1) - twiceRank));
    }
  }
  for (auto& vector : ranks) std::sort(vector.begin(), vector.end());
  const std::vector<long> e = doubledPositions(ranks);
  r.lower.assign(d, NAN);
  r.upper.assign(d, NAN);
  std::vector<int> below, above;
  if (!kept.empty()) {
    r.p = double(std::count_if(e.begin(), e.end(), [&](long x) { return x <= e[0]; })) / N;
    std::vector<long> sorted = e;
    std::sort(sorted.rbegin(), sorted.rend());
    const long critical = sorted[level * N / 100 - 1];
    for (int k : kept) {
      for (int i = 0; i < N; ++i) {
        if (e[i] < critical) continue;
        r.lower[k] = std::isnan(r.lower[k]) ? values[i][k] : std::min(r.lower[k], values[i][k]);
        r.upper[k] = std::isnan(r.upper[k]) ? values[i][k] : std::max(r.upper[k], values[i][k]);
      }
      if (values[0][k] < r.lower[k]) below.push_back(k + 1);
      if (values[0][k] > r.upper[k]) above.push_back(k + 1);
    }
  }
  for (int& k : leftOut) ++k;
  r.below = chunkList(below);
  r.above = chunkList(above);
  r.leftOut = chunkList(leftOut);
  return r;
}

std::string printed(double value, const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

TEST(GlobalEnvelopeFiles, AreWhatTheDefinitionGivesFromEveryRunsValues) {
  TempDir dir;
  writeFile(dir.file("g.zvc"), readFile(genesisPath()));
  const int nperm = 199, nchunks = 10;
  const ProcessResult result =
      runTokshuf(dir, {"--runs", "--global", "-p199", "-k10", "-c90", "g.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile runs = readProfile(dir, "g.mcr");
  const Profile lower = readProfile(dir, "g.mgl");
  const Profile upper = readProfile(dir, "g.mgh");
  const std::vector<std::string> table = splitLines(readFile(dir.file("g.mgt")));
  const std::vector<std::string> labels = readProfile(dir, "g.obs").labels();
  ASSERT_EQ(table.size(), labels.size() + 1);
  EXPECT_EQ(table[0], "measure p below above left_out");
  int significant = 0;
  for (std::size_t column = 1; column < labels.size(); ++column) {
    const std::string& label = labels[column];
    SCOPED_TRACE(label);
    std::vector<std::vector<double>> values(nperm + 1, std::vector<double>(nchunks));
    for (int row = 0; row < runs.rowCount(); ++row) {
      values[row / nchunks][row % nchunks] = runs.value(row, label);
    }
    const bool fitted = label == "b" || label == "c" || label == "a1" || label == "Z";
    const Recomputed r = recompute(values, fitted, 90);
    significant += r.p < 0.1;
    EXPECT_EQ(table[column], label + " " + (std::isnan(r.p) ? "nan" : printed(r.p, "%.3f")) +
                                 " " + r.below + " " + r.above + " " + r.leftOut);
    for (int k = 0; k < nchunks; ++k) {
      EXPECT_EQ(lower.text(k, label), printed(r.lower[k], "%.7f"));
      EXPECT_EQ(upper.text(k, label), printed(r.upper[k], "%.7f"));
    }
  }
  EXPECT_EQ(table.back().substr(0, 4), "all ");
  EXPECT_NE(result.err.find("\nGlobal envelope test: " + std::to_string(significant) + " of "),
            std::string::npos)
      << result.err;
}

TEST(GlobalEnvelopeFiles, WarnWhenTheRunCountDoesNotFitTheLevel) {
  struct Case {
    std::vector<std::string> options;
    std::string warning;  // "" for none
  };
  const std::vector<Case> cases = {
      {{"-p19"}, ""},
      {{"-p199", "-c90"}, ""},
      {{"-p20"},
       "tokshuf: warning: the global envelope test at 95 % is exact when the runs and the text "
       "make a multiple of 20 curves; -p20 makes 21: -p19, -p39 or -p4999 would fit\n"},
      {{"-p10", "-c99"},
       "tokshuf: warning: the global envelope test at 99 % is exact when the runs and the text "
       "make a multiple of 100 curves; -p10 makes 11: -p99 or -p4999 would fit\n"},
      {{"-p10", "-c100"},
       "tokshuf: warning: at 100 % the global envelope holds every curve; choose a lower level "
       "with -c for a test\n"},
  };
  TempDir dir;
  writeFile(dir.file("s.zvc"), zvcText({1, 2, 3, 1, 2, 4, 1, 5, 2, 1}));
  for (const Case& c : cases) {
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"--global", "-k3", "s.zvc"});
    const ProcessResult result = runTokshuf(dir, args);
    ASSERT_TRUE(result.exitedWith(0)) << result.describe();
    const std::vector<std::string> lines = splitLines(result.err);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1] + "\n" == c.warning, !c.warning.empty()) << lines[1];
    EXPECT_EQ(lines.back().rfind("Global envelope test: ", 0), 0u);
  }
}

}  // namespace
}  // namespace tokshuf::test
