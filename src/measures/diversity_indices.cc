#include "measures/diversity_indices.h"

#include <cmath>
#include <cstdint>

namespace tokshuf {
namespace {

// S2 = sum of m^2 V_m over the frequencies present. Every partial sum stays
// below N^2 < 2^53, so the 64-bit sum is exact and so is its conversion
// to double: Yule's I and Herdan's Vm do not depend on the list order.
std::int64_t sumOfSquaredFrequencies(const FrequencySpectrum& s) {
  std::int64_t S2 = 0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const std::int64_t m = s.frequencies[i];
    S2 += m * m * s.VM[m];
  }
  return S2;
}

double lg(int count) { return std::log10(double(count)); }

}  // namespace

double typeTokenRatio(const FrequencySpectrum& s) { return double(s.V) / double(s.N); }

double carrollCttr(const FrequencySpectrum& s) {
  return double(s.V) / std::sqrt(2.0 * double(s.N));
}

double maasA(const FrequencySpectrum& s) {
  const double lgN = lg(s.N);
  return std::sqrt((lgN - lg(s.V)) / (lgN * lgN));
}

double maasLgV0(const FrequencySpectrum& s) {
  const double lgV = lg(s.V);
  const double ratio = lgV / lg(s.N);
  return lgV / std::sqrt(1.0 - ratio * ratio);
}

double dugastU(const FrequencySpectrum& s) {
  const double lgN = lg(s.N);
  return lgN * lgN / (lgN - lg(s.V));
}

double summerS(const FrequencySpectrum& s) { return std::log10(lg(s.V)) / std::log10(lg(s.N)); }

double yuleI(const FrequencySpectrum& s) {
  const double v = s.V;
  return v * v / double(sumOfSquaredFrequencies(s) - s.V);
}

double herdanVm(const FrequencySpectrum& s) {
  const double n = s.N;
  return std::sqrt(double(sumOfSquaredFrequencies(s)) / (n * n) - 1.0 / double(s.V));
}

}  // namespace tokshuf
