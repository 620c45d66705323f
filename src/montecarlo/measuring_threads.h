#pragma once

#include <algorithm>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "measures/compact_run.h"

namespace tokshuf {

// Runs work.work(state) on `threads` threads, the calling one among them,
// each with a measuring state of its own, and returns the missing fits of
// all of them; rethrows the error work.firstError() reports. If fewer
// threads can be started than asked for, the ones running do all the work.
template <class Work>
MissingFits runMeasuringThreads(Work& work, const TextShape& shape, int threads) {
  std::vector<std::unique_ptr<CompactRunState>> states;
  for (int t = 0; t < threads; ++t) states.push_back(std::make_unique<CompactRunState>(shape));
  std::vector<std::thread> helpers;
  try {
    for (int t = 1; t < threads; ++t) {
      helpers.emplace_back([&work, &states, t] { work.work(*states[t]); });
    }
  } catch (const std::system_error&) {
    // The threads already running finish the work.
  }
  work.work(*states[0]);
  for (std::thread& helper : helpers) helper.join();
  if (std::exception_ptr error = work.firstError()) std::rethrow_exception(error);
  MissingFits missing;
  for (const auto& state : states) missing += state->missing;
  return missing;
}

// The threads that runs 1..nperm can keep busy.
inline int measuringThreads(int threads, int nperm) {
  return std::max(1, std::min(threads, nperm));
}

}  // namespace tokshuf
