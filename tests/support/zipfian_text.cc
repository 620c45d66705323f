#include "support/zipfian_text.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tokshuf::test {
namespace {

// SplitMix64: small, fast and fully specified, so the texts do not depend on
// the standard library's distributions.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1) with 53 random bits.
  double unit() { return double(next() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t state_;
};

std::vector<double> cumulativeWeights(const ZipfianTextShape& shape) {
  std::vector<double> cumulative(shape.types);
  double sum = 0.0;
  for (int i = 0; i < shape.types; ++i) {
    sum += 1.0 / std::pow(double(i + 1), shape.exponent);
    cumulative[i] = sum;
  }
  return cumulative;
}

// Type index (0-based, by weight) of every token.
std::vector<int> drawTypes(const ZipfianTextShape& shape) {
  const std::vector<double> cumulative = cumulativeWeights(shape);
  const double total = cumulative.back();
  SplitMix64 random(shape.seed);
  std::vector<int> types(shape.tokens);
  for (int& type : types) {
    const double target = random.unit() * total;
    const auto hit =
        std::upper_bound(cumulative.begin(), cumulative.end(), target);
    type = int(std::min<std::ptrdiff_t>(hit - cumulative.begin(),
                                        shape.types - 1));
  }
  return types;
}

// Rank of every type index: by descending count, ties by index.
std::vector<int> ranksByCount(const std::vector<int>& types, int typeCount) {
  std::vector<int> count(typeCount, 0);
  for (int type : types) ++count[type];
  std::vector<int> order(typeCount);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return count[a] > count[b]; });
  std::vector<int> rank(typeCount, 0);
  for (int r = 0; r < typeCount; ++r) rank[order[r]] = r + 1;
  return rank;
}

}  // namespace

std::vector<int> zipfianRanks(const ZipfianTextShape& shape) {
  std::vector<int> types = drawTypes(shape);
  const std::vector<int> rank = ranksByCount(types, shape.types);
  for (int& type : types) type = rank[type];
  return types;
}

std::vector<int> zipfianTokenSequence(const ZipfianTextShape& shape) {
  std::vector<int> ranks = zipfianRanks(shape);
  ranks.insert(ranks.begin(), 0);
  return ranks;
}

std::string zvcText(const std::vector<int>& ranks, bool withHeader,
                    const std::string& lineEnd) {
  std::string text = withHeader ? "Word z" + lineEnd : "";
  for (int rank : ranks) {
    const std::string number = std::to_string(rank);
    text.append("w").append(number).append(" ").append(number).append(lineEnd);
  }
  return text;
}

}  // namespace tokshuf::test
