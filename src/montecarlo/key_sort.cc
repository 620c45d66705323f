#include "montecarlo/key_sort.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace tokshuf {
namespace {

// A radix sort from the highest bits on, by the bits in which the keys
// differ rather than by fixed bytes, since the values of a measure at one
// chunk spread over a small part of the 64 bits. A pass makes about half as
// many buckets as it has items, which mostly leaves buckets of a few items,
// or of equal ones. A bucket of more than kInsertionSortMax items that are
// not all equal takes a pass of its own, which takes at least
// kMinBucketBits off the width of its keys' differences and so bounds the
// passes for any values. One insertion sort over all items then moves each
// only within its small bucket.
constexpr int kMinBucketBits = 5;
constexpr int kMaxBucketBits = 12;
constexpr int kInsertionSortMax = 32;

struct KeyRange {
  std::uint64_t low, high;
};

template <class KeyAt>
KeyRange keyRange(int n, KeyAt keyAt) {
  KeyRange range = {keyAt(0), keyAt(0)};
  for (int i = 1; i < n; ++i) {
    range.low = std::min(range.low, keyAt(i));
    range.high = std::max(range.high, keyAt(i));
  }
  return range;
}

void insertionSort(KeyedCurve* items, int n) {
  for (int i = 1; i < n; ++i) {
    const KeyedCurve item = items[i];
    int j = i;
    for (; j > 0 && items[j - 1].key > item.key; --j) items[j] = items[j - 1];
    items[j] = item;
  }
}

// Copies itemAt(0..n-1), whose keys lie in range and are not all equal, to
// out grouped by bucket, the buckets in key order; returns the buckets'
// bounds.
template <class ItemAt>
std::vector<int> distribute(int n, ItemAt itemAt, KeyRange range,
                            KeyedCurve* out) {
  const int bits = std::clamp(int(std::bit_width(unsigned(n))) - 1,
                              kMinBucketBits, kMaxBucketBits);
  const std::uint64_t width = range.high - range.low;
  const int shift = std::max(0, int(std::bit_width(width)) - bits);
  auto bucketOf = [&range, shift](std::uint64_t key) {
    return int((key - range.low) >> shift);
  };
  std::vector<int> starts(bucketOf(range.high) + 2, 0);
  for (int i = 0; i < n; ++i) ++starts[bucketOf(itemAt(i).key) + 1];
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  std::vector<int> next(starts.begin(), starts.end() - 1);
  for (int i = 0; i < n; ++i) {
    const KeyedCurve item = itemAt(i);
    out[next[bucketOf(item.key)]++] = item;
  }
  return starts;
}

void splitLargeBuckets(KeyedCurve* items, KeyedCurve* scratch,
                       const std::vector<int>& starts);

// Distributes items[0..n-1] again, unless their keys are all equal, with
// room for n more in scratch.
void splitBucket(KeyedCurve* items, KeyedCurve* scratch, int n) {
  const KeyRange range = keyRange(n, [items](int i) { return items[i].key; });
  if (range.low == range.high) return;
  std::copy(items, items + n, scratch);
  auto itemAt = [scratch](int i) { return scratch[i]; };
  splitLargeBuckets(items, scratch, distribute(n, itemAt, range, items));
}

void splitLargeBuckets(KeyedCurve* items, KeyedCurve* scratch,
                       const std::vector<int>& starts) {
  for (std::size_t b = 0; b + 1 < starts.size(); ++b) {
    const int n = starts[b + 1] - starts[b];
    if (n > kInsertionSortMax) {
      splitBucket(items + starts[b], scratch + starts[b], n);
    }
  }
}

}  // namespace

void sortCurvesByKey(const std::uint64_t* keys, int n,
                     std::vector<KeyedCurve>& sorted,
                     std::vector<KeyedCurve>& scratch) {
  sorted.resize(n);
  scratch.resize(n);
  if (n == 0) return;
  auto itemAt = [keys](int i) { return KeyedCurve{keys[i], i}; };
  const KeyRange range = keyRange(n, [keys](int i) { return keys[i]; });
  if (range.low == range.high) {
    for (int i = 0; i < n; ++i) sorted[i] = itemAt(i);
    return;
  }
  splitLargeBuckets(sorted.data(), scratch.data(),
                    distribute(n, itemAt, range, sorted.data()));
  insertionSort(sorted.data(), n);
}

}  // namespace tokshuf
