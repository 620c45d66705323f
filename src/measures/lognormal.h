#pragma once

#include <vector>

namespace tokshuf {

// Mean of ln(frequency) over all types of the prefix.
double getlogMean2(int numranks, const std::vector<int>& VM,
                   const std::vector<int>& MLIJST, int curV);

// Sample standard deviation of ln(frequency) over all types, one-pass form
// around the given mean.
double getlogStdDev2(double mean, int numranks, const std::vector<int>& VM,
                     const std::vector<int>& MLIJST, int curV);

// Mean and sample standard deviation, over the distinct frequencies, of the
// log share of the tokens that belong to each frequency class. PVM[1..n] is
// scratch.
void lognormal2(int numranks, std::vector<double>& PVM,
                const std::vector<int>& VM, const std::vector<int>& MLIJST,
                int curN, double* smean, double* sstdev);

}  // namespace tokshuf
