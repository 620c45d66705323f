#include "test_texts.h"

#include "support/files.h"
#include "support/zipfian_text.h"

namespace tokshuf::equivalence {

std::string writeRanks(const std::string& path, const std::vector<int>& ranks) {
  test::writeFile(path, test::zvcText(ranks));
  return path;
}

std::string sampleText(const std::string& dir) {
  const std::string path = dir + "/genesis.zvc";
  test::writeFile(path, test::readFile(TOKSHUF_GENESIS_SAMPLE));
  return path;
}

std::string zipfianText(const std::string& dir) {
  test::ZipfianTextShape shape;
  shape.tokens = 20000;
  shape.types = 3000;
  shape.seed = 7;
  return writeRanks(dir + "/zipfian.zvc", test::zipfianRanks(shape));
}

std::string failingFitsText(const std::string& dir) {
  // 2,500 tokens: 78 tokens of 15 other words spread evenly through a
  // filler word; at the whole text N = 2500, V = 16, V1 = 8, a Sichel
  // search that steps over its root.
  constexpr int kTokens = 2500;
  constexpr int kRepeated = 7, kRepeats = 10, kOnce = 8;
  std::vector<int> special;
  for (int i = 0; i < kRepeated * kRepeats; ++i) special.push_back(2 + i % kRepeated);
  for (int i = 0; i < kOnce; ++i) special.push_back(2 + kRepeated + i);
  std::vector<int> ranks(kTokens, 1);
  for (std::size_t i = 0; i < special.size(); ++i) ranks[i * 32 + 7] = special[i];
  return writeRanks(dir + "/failing_fits.zvc", ranks);
}

std::string fewTokensText(const std::string& dir) {
  return writeRanks(dir + "/few_tokens.zvc", {3, 1, 2, 1, 4, 1, 5});
}

std::string oneTokenText(const std::string& dir) {
  return writeRanks(dir + "/one_token.zvc", {1});
}

std::string fatalInLaterRunText(const std::string& dir) {
  // 8,000 tokens: eleven words occurring twice, both times in the first
  // chunk of the file order, then a filler word with six other words spread
  // through it, 30 times each. In the file order the first half has no
  // word that occurs once (V1 = 0: no search, no failure); in a shuffled
  // order some of the eleven fall apart, and in run 56 the counts of the
  // first half (N = 4000) make the walk from N / V1 step to a value just
  // below 0 (earlier runs only miss fits).
  constexpr int kTokens = 8000, kPairs = 11, kSpread = 6, kSpreadRepeats = 30;
  std::vector<int> ranks;
  for (int i = 0; i < kPairs; ++i) {
    ranks.push_back(2 + kSpread + i);
    ranks.push_back(2 + kSpread + i);
  }
  const int rest = kTokens - 2 * kPairs;
  const int spread = kSpread * kSpreadRepeats;
  std::vector<int> tail(rest, 1);
  for (int t = 0; t < spread; ++t) tail[(t * rest) / spread] = 2 + t % kSpread;
  ranks.insert(ranks.end(), tail.begin(), tail.end());
  return writeRanks(dir + "/fatal_later.zvc", ranks);
}

std::string emptyText(const std::string& dir) {
  return writeRanks(dir + "/empty.zvc", {});
}

std::string longText(const std::string& dir) {
  test::ZipfianTextShape shape;
  shape.tokens = 300000;
  shape.types = 30000;
  shape.seed = 11;
  std::vector<int> ranks = test::zipfianRanks(shape);
  // Every one of the 30,000 types at least once, spread through the text.
  for (int type = 1; type <= 30000; ++type) ranks[std::size_t(type - 1) * 10 + 3] = type;
  return writeRanks(dir + "/long.zvc", ranks);
}

std::string manyTypesText(const std::string& dir, int types) {
  std::vector<int> ranks;
  for (int type = 1; type <= types; ++type) ranks.push_back(3 * type);
  for (int i = 0; i < 20000; ++i) ranks.push_back(3 * (1 + (i * i) % 97));
  return writeRanks(dir + "/types" + std::to_string(types) + ".zvc", ranks);
}

}  // namespace tokshuf::equivalence
