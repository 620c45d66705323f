#include "montecarlo/global_tests.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <system_error>
#include <thread>

#include "montecarlo/combined_global_test.h"

namespace tokshuf {

int GlobalTests::testedCount() const {
  return int(std::count_if(measures.begin() + 1, measures.end(),
                           [](const GlobalEnvelope& e) { return !std::isnan(e.p); }));
}

int GlobalTests::significantCount(int confidenceLevel, int curves) const {
  // p = k / curves < alpha = (100 - C) / 100, compared in integers.
  return int(std::count_if(measures.begin() + 1, measures.end(), [&](const GlobalEnvelope& e) {
    if (std::isnan(e.p)) return false;
    const long long k = std::llround(e.p * curves);
    return 100 * k < (100LL - confidenceLevel) * curves;
  }));
}

GlobalTests testGlobally(const RunArrays& runs, const Settings& settings, int threads) {
  const MeasureSelection& chosen = settings.measures;
  const int curves = settings.nperm + 1;
  GlobalTests tests;
  tests.measures.resize(std::size_t(chosen.count()) + 1);
  std::atomic<int> next{1};
  std::vector<std::exception_ptr> errors(tests.measures.size());
  auto work = [&] {
    for (int position = next++; position <= chosen.count(); position = next++) {
      const int measure = chosen.measureAt(position);
      try {
        tests.measures[position] =
            globalRankEnvelope(runs[measure], curves, settings.nchunks, isFitColumn(measure),
                               settings.confidenceLevel);
      } catch (...) {
        errors[position] = std::current_exception();
      }
    }
  };
  std::vector<std::thread> helpers;
  try {
    for (int t = 1; t < std::min(threads, chosen.count()); ++t) helpers.emplace_back(work);
  } catch (const std::system_error&) {
    // Fewer threads than asked for: the ones running test every measure.
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
  std::vector<const GlobalEnvelope*> all;
  for (int position = 1; position <= chosen.count(); ++position) {
    all.push_back(&tests.measures[position]);
  }
  tests.combinedP = combinedGlobalP(all, curves);
  return tests;
}

}  // namespace tokshuf
