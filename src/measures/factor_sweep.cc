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
// The open flag of a start: open, closed, or, from kEnded + 2k on, ended
// at the k-th position of the current batch of kBatch positions, whose
// ends are written out together. The even numbers keep bit 0, the open
// bit, clear.
constexpr std::uint8_t kClosed = 0;
constexpr std::uint8_t kOpen = 1;
constexpr int kEnded = 128;
constexpr int kBatch = 64;
// Positions a start that has outgrown the byte needs counts at once.
constexpr int kBlock = 64;

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
                const std::uint8_t* need, std::uint8_t endMark) {
  std::uint8_t o[kGroup], r[kGroup], n[kGroup];
  std::memcpy(o, open, kGroup);
  std::memcpy(r, repeats, kGroup);
  std::memcpy(n, need, kGroup);
  for (int k = 0; k < kGroup; ++k) {
    const std::uint8_t takes = o[k] & kOpen;
    r[k] = std::uint8_t(r[k] + takes);
    // All ones for an open start that meets its need, else 0.
    const std::uint8_t meets =
        std::uint8_t(r[k] >= n[k] ? 0xFF : 0) & std::uint8_t(0 - takes);
    o[k] = std::uint8_t(o[k] + (meets & (endMark - kOpen)));
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
  // No start before oldest is open; oldest itself may not be either.
  int oldest = 1;
  for (int batch = 1; batch <= N; batch += kBatch) {
    const int firstEnded = oldest;
    const int last = std::min(N, batch + kBatch - 1);
    for (int p = batch; p <= last; ++p) {
      open[p] = kOpen;
      repeats[p] = 0;
      if (p - oldest >= byteLengths) {
        while (open[oldest] != kOpen) ++oldest;
        if (p - oldest >= byteLengths) {
          lengths[oldest] = finishAlone(oldest, p, N, prev, needs);
          open[oldest] = kClosed;
          while (open[oldest] != kOpen) ++oldest;
        }
      }
      const int q = prev[p];
      if (q >= oldest) {
        countRepeat(oldest, q, p, std::uint8_t(kEnded + 2 * (p - batch)),
                    needs);
      }
      // Rarely reached, so tested first.
      const int s = p - kMtldMaMinFactor + 1;
      if (repeats[s] >= firstNeed && s >= 1 && open[s] == kOpen) {
        lengths[s] = kMtldMaMinFactor;
        open[s] = kClosed;
      }
    }
    writeEnds(firstEnded, batch, last, lengths);
    while (oldest <= last && open[oldest] != kOpen) ++oldest;
  }
}

// Adds the repeat at p to the starts oldest..q, kLanes at a time from q
// down, in copies the compiler knows apart, so that it adds all lanes at
// once. The last group may reach below oldest, into starts that are not
// open or the padding before start 1, to which it adds nothing. A start
// that now meets its need gets the open flag endMark.
void FactorSweep::countRepeat(int oldest, int q, int p, std::uint8_t endMark,
                              const RepeatNeeds& needs) {
  std::uint8_t* const open = open_.data() + kLanes;
  std::uint8_t* const repeats = repeats_.data() + kLanes;
  // need[s] is the byte need of the stretch s..p.
  const std::uint8_t* const need =
      needs.reversedBytes_.data() + kLanes + needs.byteLengths_ - p;
  for (int first = q - kLanes + 1; first + kLanes > oldest; first -= kLanes) {
    // Two groups a step: fewer steps, and the compiler keeps each group in
    // registers.
    countGroup(open + first, repeats + first, need + first, endMark);
    countGroup(open + first + kGroup, repeats + first + kGroup,
               need + first + kGroup, endMark);
  }
}

// Writes the lengths of the factors that ended in the batch of positions
// batch..last, from starts firstEnded..last, eight flags at a time: bit 7
// is set exactly in the flags of those starts.
void FactorSweep::writeEnds(int firstEnded, int batch, int last, int* lengths) {
  std::uint8_t* const open = open_.data() + kLanes;
  for (int first = firstEnded; first <= last; first += 8) {
    std::uint64_t flags = loadBytes(open + first);
    if (last - first < 7) {
      // The bytes past last belong to starts this find() has not begun.
      flags &= ~std::uint64_t(0) >> (8 * (7 - (last - first)));
    }
    for (std::uint64_t marks = flags & 0x8080808080808080; marks != 0;
         marks &= marks - 1) {
      const int k = std::countr_zero(marks) / 8;
      const int end = batch + (int((flags >> (8 * k)) & 0xFF) - kEnded) / 2;
      lengths[first + k] = end - (first + k) + 1;
      open[first + k] = kClosed;
    }
  }
}

// Start s, open up to p - 1 with a stretch that has outgrown the byte
// needs, goes on alone, a block of positions at a time: a block can hold
// the end of the factor only if the repeats up to its last position reach
// the need of its first length, the least in it. It gives up once even
// every repeat left could not meet the need.
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
  for (int first = p; first <= N; first += kBlock) {
    const int L = first - s + 1;
    if (R + repeatsFrom_[first] < need[L]) return 0;
    const int last = std::min(N, first + kBlock - 1);
    int inBlock = 0;
    for (int i = first; i <= last; ++i) inBlock += prev[i] >= s;
    if (R + inBlock < need[L]) {
      R += inBlock;
      continue;
    }
    for (int i = first; i <= last; ++i) {
      R += prev[i] >= s;
      const int length = i - s + 1;
      if (length >= kMtldMaMinFactor && R >= need[length]) return length;
    }
  }
  return 0;
}

}  // namespace tokshuf
