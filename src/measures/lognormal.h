#pragma once

#include <vector>

namespace tokshuf {

// Mean of ln(frequency) over all types of the prefix.
double logFrequencyMean(int frequencyCount, const std::vector<int>& VM,
                        const std::vector<int>& frequencies, int V);

// Sample standard deviation of ln(frequency) over all types, one-pass form
// around the given mean.
double logFrequencyStdDev(double mean, int frequencyCount,
                          const std::vector<int>& VM,
                          const std::vector<int>& frequencies, int V);

// Mean and sample standard deviation, over the distinct frequencies, of the
// log share of the tokens that belong to each frequency class. logShares[1..n]
// is scratch.
void lognormalFit(int frequencyCount, std::vector<double>& logShares,
                  const std::vector<int>& VM,
                  const std::vector<int>& frequencies, int N,
                  double* lognormalMean, double* lognormalStdDev);

}  // namespace tokshuf
