#include "measures/window_measures.h"

#include <algorithm>
#include <vector>

namespace tokshuf {
namespace {

// t[1..n] in the order one direction reads it.
std::vector<int> readingOrder(const int* t, int n, bool backward) {
  std::vector<int> tokens(t + 1, t + n + 1);
  if (backward) std::reverse(tokens.begin(), tokens.end());
  return tokens;
}

// The factors MTLD counts reading tokens in order.
double mtldFactorsOf(const std::vector<int>& tokens, double T, int typeLimit) {
  // factorOf[type] == complete + 1 once the type occurs in the current
  // factor; the factor number changes, so nothing needs clearing.
  std::vector<int> factorOf(typeLimit, 0);
  int complete = 0;
  int length = 0;
  int distinct = 0;
  for (const int type : tokens) {
    ++length;
    if (factorOf[type] != complete + 1) {
      factorOf[type] = complete + 1;
      ++distinct;
    }
    if (double(distinct) / double(length) < T) {
      ++complete;
      length = 0;
      distinct = 0;
    }
  }
  return mtldFactors(complete, length, distinct, T);
}

// The mean length of the MTLD-MA factors reading tokens in order: from
// every start, the first stretch of at least kMtldMaMinFactor tokens whose
// TTR is below T.
double mtldMaFactorLength(const std::vector<int>& tokens, double T,
                          int typeLimit) {
  const int n = int(tokens.size());
  std::vector<int> seenFrom(typeLimit, -1);
  std::int64_t lengthSum = 0;
  int factors = 0;
  for (int s = 0; s < n; ++s) {
    int distinct = 0;
    for (int e = s; e < n; ++e) {
      if (seenFrom[tokens[e]] != s) {
        seenFrom[tokens[e]] = s;
        ++distinct;
      }
      const int length = e - s + 1;
      if (length >= kMtldMaMinFactor && double(distinct) / double(length) < T) {
        lengthSum += length;
        ++factors;
        break;
      }
    }
  }
  return meanFactorLength(lengthSum, factors);
}

}  // namespace

double mattrOfPrefix(const int* t, int n, const WindowParameters& p,
                     int typeLimit) {
  const int W = p.window;
  if (n < W) return kUndefined;
  std::vector<int> count(typeLimit, 0);
  int distinct = 0;
  std::int64_t distinctSum = 0;
  for (int i = 1; i <= n; ++i) {
    distinct += count[t[i]]++ == 0;
    if (i > W) distinct -= --count[t[i - W]] == 0;
    if (i >= W) distinctSum += distinct;
  }
  return meanStretchTtr(distinctSum, W, n - W + 1);
}

double msttrOfPrefix(const int* t, int n, const WindowParameters& p,
                     int typeLimit) {
  const int S = p.segment;
  const int k = n / S;
  std::vector<int> segmentOf(typeLimit, 0);
  std::int64_t distinctSum = 0;
  for (int segment = 1; segment <= k; ++segment) {
    for (int i = (segment - 1) * S + 1; i <= segment * S; ++i) {
      if (segmentOf[t[i]] == segment) continue;
      segmentOf[t[i]] = segment;
      ++distinctSum;
    }
  }
  return meanStretchTtr(distinctSum, S, k);
}

double mtldOfPrefix(const int* t, int n, const WindowParameters& p,
                    int typeLimit) {
  const double T = p.mtldThreshold;
  const double forward = mtldFactorsOf(readingOrder(t, n, false), T, typeLimit);
  const double backward = mtldFactorsOf(readingOrder(t, n, true), T, typeLimit);
  return mtldOfFactors(n, forward, backward);
}

double mtldMaOfPrefix(const int* t, int n, const WindowParameters& p,
                      int typeLimit) {
  const double T = p.mtldThreshold;
  const double forward =
      mtldMaFactorLength(readingOrder(t, n, false), T, typeLimit);
  const double backward =
      mtldMaFactorLength(readingOrder(t, n, true), T, typeLimit);
  return (forward + backward) / 2;
}

double windowMeasureOfPrefix(WindowMeasure m, const int* t, int n,
                             const WindowParameters& p, int typeLimit) {
  switch (m) {
    case WindowMeasure::kMattr:
      return mattrOfPrefix(t, n, p, typeLimit);
    case WindowMeasure::kMsttr:
      return msttrOfPrefix(t, n, p, typeLimit);
    case WindowMeasure::kMtld:
      return mtldOfPrefix(t, n, p, typeLimit);
    case WindowMeasure::kMtldMa:
      return mtldMaOfPrefix(t, n, p, typeLimit);
  }
  return kUndefined;
}

}  // namespace tokshuf
