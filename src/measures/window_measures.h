#pragma once

#include <cstdint>
#include <limits>

namespace tokshuf {

// The measures that depend on where each token stands, not only on how
// often each type occurs: moving-average and mean segmental TTR, MTLD and
// its moving-average, bidirectional form.
enum class WindowMeasure { kMattr, kMsttr, kMtld, kMtldMa };
inline constexpr int kWindowMeasureCount = 4;

// The window W of MATTR, the segment S of MSTTR and the threshold T of
// both MTLD forms. W and S are at least 1, T lies strictly between 0 and 1.
struct WindowParameters {
  int window = 100;
  int segment = 100;
  double mtldThreshold = 0.72;
};

// MTLD-MA counts a factor only once it has at least this many tokens.
inline constexpr int kMtldMaMinFactor = 10;

// The value of a measure the prefix is too short for.
inline constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// The values of the prefix t[1..n] (index 0 unused) of a text whose type
// ids lie in 1..typeLimit-1, straight from the definitions. They are the
// reference the per-run kernel must match bit for bit.
double mattrOfPrefix(const int* t, int n, const WindowParameters& p,
                     int typeLimit);
double msttrOfPrefix(const int* t, int n, const WindowParameters& p,
                     int typeLimit);
double mtldOfPrefix(const int* t, int n, const WindowParameters& p,
                    int typeLimit);
double mtldMaOfPrefix(const int* t, int n, const WindowParameters& p,
                      int typeLimit);
double windowMeasureOfPrefix(WindowMeasure m, const int* t, int n,
                             const WindowParameters& p, int typeLimit);

// The final arithmetic of each measure, from the integer counts. Both
// engines end here, so the same counts give the same doubles.

// MATTR and MSTTR: the mean TTR of `count` stretches of `size` tokens
// whose distinct counts add up to distinctSum; NaN when count is 0.
inline double meanStretchTtr(std::int64_t distinctSum, int size, int count) {
  if (count <= 0) return kUndefined;
  return double(distinctSum) / (double(size) * double(count));
}

// The factors of one MTLD direction over n tokens: the complete ones and
// the unfinished rest of restLength tokens with restDistinct types.
inline double mtldFactors(int complete, int restLength, int restDistinct,
                          double threshold) {
  double partial = 0.0;
  if (restLength > 0) {
    partial =
        (1.0 - double(restDistinct) / double(restLength)) / (1.0 - threshold);
  }
  return double(complete) + partial;
}

// MTLD from the factors of both directions; inf when no token repeats.
inline double mtldOfFactors(int n, double forward, double backward) {
  if (n == 0) return kUndefined;
  return (double(n) / forward + double(n) / backward) / 2;
}

// One MTLD-MA direction: the mean factor length, NaN without a factor.
inline double meanFactorLength(std::int64_t lengthSum, int factors) {
  if (factors == 0) return kUndefined;
  return double(lengthSum) / double(factors);
}

}  // namespace tokshuf
