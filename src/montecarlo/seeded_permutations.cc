#include "montecarlo/seeded_permutations.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "measures/compact_run.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/measuring_threads.h"
#include "montecarlo/run_outcomes.h"
#include "montecarlo/seeded_shuffle.h"

namespace tokshuf {
namespace {

template <class T>
class SeededRuns {
 public:
  SeededRuns(const MeasureContext& context, const Text& text, std::uint64_t seed,
             std::FILE* console, RunArrays& arrays)
      : context_(context),
        seed_(seed),
        textOrder_(compactOrderOf<T>(text.ranks, text.N)),
        arrays_(arrays),
        outcomes_(context.settings.nperm, console) {}

  // The loop of every thread: take the next run until none is needed.
  void work(CompactRunState& state) {
    std::vector<T> order(textOrder_.size());
    std::unique_lock<std::mutex> lock(mutex_);
    outcomes_.writeDueProgress();
    while (nextRun_ <= outcomes_.lastNeededRun()) {
      const int p = nextRun_++;
      lock.unlock();
      std::exception_ptr error;
      try {
        std::copy(textOrder_.begin(), textOrder_.end(), order.begin());
        shuffleSeeded(seed_, std::uint64_t(p), order.data(), int(order.size()) - 1);
        measureCompactOrder(p, context_, order.data(), state, arrays_);
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      if (error) {
        outcomes_.failed(p, error);
      } else {
        outcomes_.succeeded(p);
      }
      outcomes_.writeDueProgress();
    }
  }

  std::exception_ptr firstError() const { return outcomes_.firstError(); }

 private:
  const MeasureContext& context_;
  const std::uint64_t seed_;
  const std::vector<T> textOrder_;
  RunArrays& arrays_;

  std::mutex mutex_;
  RunOutcomes outcomes_;
  int nextRun_ = 1;
};

template <class T>
MissingFits runOnThreads(const MeasureContext& context, const Text& text, std::uint64_t seed,
                         int threads, std::FILE* console, RunArrays& arrays) {
  SeededRuns<T> runs(context, text, seed, console, arrays);
  return runMeasuringThreads(runs, context.shape,
                             measuringThreads(threads, context.settings.nperm));
}

}  // namespace

MissingFits runSeededReferencePermutations(const MeasureContext& context, const Text& text,
                                           std::uint64_t seed, std::FILE* console,
                                           RunArrays& arrays) {
  RunState run(context.shape);
  std::vector<int> ranks;
  for (int p = 1; p <= context.settings.nperm; ++p) {
    ranks = text.ranks;
    shuffleSeededReference(seed, std::uint64_t(p), ranks.data(), text.N);
    if (p % 10 == 0 && console != nullptr) std::fprintf(console, "%d\r", p);
    measureTokenOrder(p, context, ranks, run, arrays);
  }
  return run.missing;
}

MissingFits runSeededPermutations(const MeasureContext& context, const Text& text,
                                  std::uint64_t seed, int threads, std::FILE* console,
                                  RunArrays& arrays) {
  if (context.shape.typeLimit <= 65536) {
    return runOnThreads<std::uint16_t>(context, text, seed, threads, console, arrays);
  }
  return runOnThreads<std::uint32_t>(context, text, seed, threads, console, arrays);
}

}  // namespace tokshuf
