#include "support/tokshuf_run.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include <gtest/gtest.h>

namespace tokshuf::test {

ProcessResult runTokshuf(const TempDir& dir, ProcessOptions options) {
  options.workingDirectory = dir.path();
  // No run of the suite takes more than a second; a hang fails the test
  // instead of blocking the whole suite.
  if (options.timeoutSeconds == 0) options.timeoutSeconds = 120;
  ProcessResult result = runProcess(TOKSHUF_BINARY, options);
  EXPECT_FALSE(result.timedOut) << "the tool did not end: " << result.describe();
  EXPECT_EQ(result.out, "") << "the tool wrote to standard output";
  return result;
}

ProcessResult runTokshuf(const TempDir& dir, const std::vector<std::string>& args) {
  ProcessOptions options;
  options.args = args;
  return runTokshuf(dir, std::move(options));
}

void expectOneErrorLine(const ProcessResult& result) {
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_TRUE(result.err.starts_with("tokshuf: ")) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

std::string genesisPath() { return TOKSHUF_GENESIS_SAMPLE; }

std::string usageText() {
  return "tokshuf -kCHUNKS -pPERM -H -aA -tT -cC -z text.zvc \n"
         "      (k maximally 40, p maximally 5000)\n"
         "      (maximal text size 220000)\n"
         "OPTIONS:\n"
         "      -a: zipf rank word1 (default: A = 4)\n"
         "      -t: zipf rank word2 (default: T = 1)\n"
         "      -H: text.zvc lacks its header\n"
         "      -z: use global instead of local pstar for Zipf\n"
         "      -c: confidence interval (default: C = 95)\n"
         "      -k: number of chunks (default: 20)\n"
         "      -p: number of permutation runs (default: 0)\n"
         "INPUT:\n"
         "      text.zvc:  Word z\n"
         "OUTPUT:\n"
         "  text.mcm: Monte Carlo means\n"
         "  text.mcl: lower 95% confidence interval\n"
         "  text.mch: upper 95% confidence interval\n"
         "  text.obs: empirical profile of measures\n";
}

std::vector<int> readRanks(const std::string& path) {
  std::ifstream in(path);
  std::string word, rank;
  if (!(in >> word >> rank)) throw std::runtime_error("no header in " + path);
  std::vector<int> ranks;
  while (in >> word >> rank) ranks.push_back(std::stoi(rank));
  return ranks;
}

PrefixCounts countTypes(const std::vector<int>& ranks, int n) {
  std::map<int, int> frequency;
  for (int i = 0; i < n; ++i) ++frequency[ranks.at(i)];
  PrefixCounts counts;
  counts.V = int(frequency.size());
  for (const auto& [rank, count] : frequency) {
    if (count <= 5) ++counts.Vm[count];
  }
  return counts;
}

int countRank(const std::vector<int>& ranks, int n, int rank) {
  int count = 0;
  for (int i = 0; i < n; ++i) count += ranks.at(i) == rank;
  return count;
}

Profile readProfile(const TempDir& dir, const std::string& name) {
  return Profile::parse(readFile(dir.file(name)));
}

std::vector<std::string> profileNames(const std::string& base) {
  return {base + ".mch", base + ".mcl", base + ".mcm", base + ".obs"};
}

}  // namespace tokshuf::test
