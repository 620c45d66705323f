#pragma once

#include "measures/word_freq_state.h"

namespace tokshuf {

// Mean of ln(frequency) over all types of the prefix.
double logFrequencyMean(const FrequencySpectrum& s);

// Sample standard deviation of ln(frequency) over all types, one-pass form
// around the given mean.
double logFrequencyStdDev(const FrequencySpectrum& s, double mean);

// Mean and sample standard deviation, over the distinct frequencies, of the
// log share of the tokens that belong to each frequency class.
struct LognormalFit {
  double mean = 0.0;
  double stdDev = 0.0;
};
LognormalFit lognormalFit(const FrequencySpectrum& s);

}  // namespace tokshuf
