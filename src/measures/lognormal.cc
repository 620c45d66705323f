#include "measures/lognormal.h"

#include <cmath>

namespace tokshuf {

double getlogMean2(int numranks, const std::vector<int>& VM,
                   const std::vector<int>& MLIJST, int curV) {
  double som = 0.0;
  for (int i = 1; i <= numranks; ++i) {
    const int m = MLIJST[i];
    som += double(VM[m]) * std::log(double(m));
  }
  return som / double(curV);
}

double getlogStdDev2(double mean, int numranks, const std::vector<int>& VM,
                     const std::vector<int>& MLIJST, int curV) {
  double som = 0.0;
  for (int i = 1; i <= numranks; ++i) {
    const int m = MLIJST[i];
    const double lm = std::log(double(m));
    som += double(VM[m]) * (lm * lm);
  }
  const double v = curV;
  return std::sqrt((som - v * (mean * mean)) / (v - 1.0));
}

void lognormal2(int numranks, std::vector<double>& PVM,
                const std::vector<int>& VM, const std::vector<int>& MLIJST,
                int curN, double* smean, double* sstdev) {
  *smean = 0.0;
  for (int i = 1; i <= numranks; ++i) {
    const int m = MLIJST[i];
    const int tokens = m * VM[m];  // at most curN, so no overflow
    PVM[i] = std::log(double(tokens) / double(curN));
    *smean += PVM[i];
  }
  *smean = *smean / double(numranks);
  *sstdev = 0.0;
  for (int i = 1; i <= numranks; ++i) {
    const double d = PVM[i] - *smean;
    *sstdev += d * d;
  }
  *sstdev = std::sqrt(*sstdev / double(numranks - 1));
}

}  // namespace tokshuf
