#include "measures/factor_sweep.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "measures/window_measures.h"

namespace tokshuf {
namespace {

// A need no repeat count reaches: the lengths below the minimum factor
// carry it, and needs from it on do not fit the byte tables.
constexpr int kNever = 255;
// Starts counted at once; also the padding in front of the per-start
// arrays and the byte needs.
constexpr int kLanes = 32;
constexpr int kGroup = kLanes / 2;

// The fewest repeats R among L tokens with double(L - R) / double(L) < T.
int fewestRepeats(int L, double T) {
  int R = std::clamp(L - int(std::ceil(T * L)) + 1, 1, L);
  while (R > 1 && double(L - (R - 1)) / double(L) < T) --R;
  while (double(L - R) / double(L) >= T) ++R;
  return R;
}

// Bytes p[0..7] with p[k] in bits 8k..8k+7, whatever the byte order.
std::uint64_t loadBytes(const std::uint8_t* p) {
  std::uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, sizeof v);
  } else {
    for (int k = 0; k < 8; ++k) v |= std::uint64_t(p[k]) << (8 * k);
  }
  return v;
}

// countRepeat() for the kGroup starts at open, repeats and need.
void countGroup(std::uint8_t* open, std::uint8_t* repeats,
                const std::uint8_t* need, std::uint8_t* marked) {
  std::uint8_t o[kGroup], r[kGroup], n[kGroup];
  std::memcpy(o, open, kGroup);
  std::memcpy(r, repeats, kGroup);
  std::memcpy(n, need, kGroup);
  for (int k = 0; k < kGroup; ++k) {
    r[k] = std::uint8_t(r[k] + o[k]);
    const std::uint8_t meets = r[k] >= n[k] ? 0xFF : 0;
    o[k] = std::uint8_t(o[k] - meets);
    marked[k] = std::uint8_t(marked[k] - meets);
  }
  std::memcpy(open, o, kGroup);
  std::memcpy(repeats, r, kGroup);
}

}  // namespace

RepeatNeeds::RepeatNeeds(int maxLength)
    : maxLength_(maxLength),
      need_(maxLength + 2, 0),
      reversedBytes_(maxLength + 3 + kLanes, kNever) {}

void RepeatNeeds::use(double T) {
  if (T == threshold_) return;
  threshold_ = T;
  for (int L = 1; L <= maxLength_ + 1; ++L) need_[L] = fewestRepeats(L, T);
  byteLengths_ = 0;
  while (byteLengths_ <= maxLength_ && need_[byteLengths_ + 1] < kNever) {
    ++byteLengths_;
  }
  for (int L = 1; L <= byteLengths_; ++L) {
    reversedBytes_[kLanes + byteLengths_ + 1 - L] =
        std::uint8_t(L < kMtldMaMinFactor ? kNever : need_[L]);
  }
}

FactorSweep::FactorSweep(int maxTokens)
    : open_(maxTokens + 2 + 2 * kLanes, 0),
      repeats_(maxTokens + 2 + 2 * kLanes, 0),
      repeatsFrom_(maxTokens + 2, 0) {}

// Position by position, every start still waiting for its factor counts
// the repeats since it began. The token at p repeats for exactly the starts
// up to prev[p], and a start can reach its need only when its count grows
// (need never falls as the stretch grows) or when its stretch first has
// the minimum length; so only those starts are tested. The open starts lie
// between oldest and p, and that range stays shorter than the lengths the
// byte tables hold: a start that would outgrow them finishes on its own.
void FactorSweep::find(int N, const int* prev, const RepeatNeeds& needs,
                       int* lengths) {
  std::uint8_t* const open = open_.data() + kLanes;
  std::uint8_t* const repeats = repeats_.data() + kLanes;
  std::fill(lengths + 1, lengths + N + 1, 0);
  repeatsCounted_ = false;
  // Copies: the byte stores below could alias the tables' fields.
  const int byteLengths = needs.byteLengths_;
  const int firstNeed =
      N >= kMtldMaMinFactor ? needs.need_[kMtldMaMinFactor] : 0;
  // Every start before oldest is closed; oldest itself may be closed too.
  int oldest = 1;
  for (int p = 1; p <= N; ++p) {
    open[p] = 1;
    repeats[p] = 0;
    if (p - oldest >= byteLengths) {
      while (!open[oldest]) ++oldest;
      if (p - oldest >= byteLengths) {
        lengths[oldest] = finishAlone(oldest, p, N, prev, needs);
        open[oldest] = 0;
        repeats[oldest] = 0;
        while (!open[oldest]) ++oldest;
      }
    }
    const int q = prev[p];
    if (q >= oldest) {
      const int marked = countRepeat(oldest, q, p, needs);
      if (marked > 0) {
        endFactors(oldest, marked, p, lengths);
        while (!open[oldest]) ++oldest;
      }
    }
    // Rarely reached, so tested first.
    const int s = p - kMtldMaMinFactor + 1;
    if (repeats[s] >= firstNeed && s >= 1 && open[s]) {
      lengths[s] = kMtldMaMinFactor;
      open[s] = 0;
      repeats[s] = 0;
    }
  }
}

// Adds the repeat at p to the starts oldest..q, kLanes at a time from q
// down, in copies the compiler knows apart, so that it adds all lanes at
// once. The last group may reach below oldest, into closed starts or the
// padding before start 1: their open flag of 0 adds nothing, and their
// count of 0 meets no need. A start that now meets its need gets an open
// flag of 2 (the comparison yields a byte of all ones, which subtracted
// adds one); returns how many do.
int FactorSweep::countRepeat(int oldest, int q, int p,
                             const RepeatNeeds& needs) {
  std::uint8_t* const open = open_.data() + kLanes;
  std::uint8_t* const repeats = repeats_.data() + kLanes;
  // need[s] is the byte need of the stretch s..p.
  const std::uint8_t* const need =
      needs.reversedBytes_.data() + kLanes + needs.byteLengths_ - p;
  std::uint8_t marked[kGroup] = {};
  for (int first = q - kLanes + 1; first + kLanes > oldest; first -= kLanes) {
    // Two groups a step: fewer steps, and the compiler keeps each group in
    // registers.
    countGroup(open + first, repeats + first, need + first, marked);
    countGroup(open + first + kGroup, repeats + first + kGroup,
               need + first + kGroup, marked);
  }
  int marks = 0;
  for (const std::uint8_t m : marked) marks += m;
  return marks;
}

// Closes the marked starts, eight flags at a time from the oldest, where
// the starts about to end mostly are: with flags of 0, 1 and 2 only, bit 1
// of a byte is set exactly for a mark.
void FactorSweep::endFactors(int oldest, int marked, int p, int* lengths) {
  std::uint8_t* const open = open_.data() + kLanes;
  std::uint8_t* const repeats = repeats_.data() + kLanes;
  int first = oldest;
  std::uint64_t marks = loadBytes(open + first) & 0x0202020202020202;
  for (;;) {
    while (marks == 0) {
      first += 8;
      marks = loadBytes(open + first) & 0x0202020202020202;
    }
    const int s = first + std::countr_zero(marks) / 8;
    open[s] = 0;
    repeats[s] = 0;
    lengths[s] = p - s + 1;
    if (--marked == 0) return;
    marks &= marks - 1;
  }
}

// Start s, open up to p - 1 with a need that has outgrown a byte, goes on
// alone. It gives up once even every repeat left could not meet the need.
int FactorSweep::finishAlone(int s, int p, int N, const int* prev,
                             const RepeatNeeds& needs) {
  if (!repeatsCounted_) {
    repeatsFrom_[N + 1] = 0;
    for (int i = N; i >= 1; --i) {
      repeatsFrom_[i] = repeatsFrom_[i + 1] + int(prev[i] > 0);
    }
    repeatsCounted_ = true;
  }
  const int* const need = needs.need_.data();
  int R = repeats_[kLanes + s];
  for (int i = p; i <= N; ++i) {
    const int L = i - s + 1;
    if (R + repeatsFrom_[i] < need[L]) return 0;
    R += prev[i] >= s;
    if (L >= kMtldMaMinFactor && R >= need[L]) return L;
  }
  return 0;
}

}  // namespace tokshuf
