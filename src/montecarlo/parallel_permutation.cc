#include "montecarlo/parallel_permutation.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "measures/compact_run.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/permutation.h"
#include "montecarlo/run_outcomes.h"

namespace tokshuf {
namespace {

// A shuffled order waiting for, or under, measurement.
template <class T>
struct OrderSlot {
  std::vector<T> order;
  int run = 0;
};

template <class T>
class PermutationPipeline {
 public:
  PermutationPipeline(const MeasureContext& context, const Text& text,
                      int threads, std::FILE* console, RunArrays& arrays);

  // The loop of every thread: shuffle when the next order is wanted and no
  // one else is shuffling, else measure the oldest order ready.
  void work(CompactRunState& state);

  std::exception_ptr firstError() const { return outcomes_.firstError(); }

 private:
  bool shuffleWanted() const;
  void shuffleNext(std::unique_lock<std::mutex>& lock);
  void measureOldest(std::unique_lock<std::mutex>& lock,
                     CompactRunState& state);

  const MeasureContext& context_;
  const int N_;
  RunArrays& arrays_;

  // Owned by the one thread that is shuffling (shuffling_ set).
  BlockUniformRandom generator_;
  std::vector<T> current_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<OrderSlot<T>>> free_;
  std::vector<std::unique_ptr<OrderSlot<T>>> ready_;  // in run order
  bool shuffling_ = false;
  int nextRun_ = 1;
  RunOutcomes outcomes_;
};

template <class T>
PermutationPipeline<T>::PermutationPipeline(const MeasureContext& context,
                                            const Text& text, int threads,
                                            std::FILE* console, RunArrays& arrays)
    : context_(context),
      N_(text.N),
      arrays_(arrays),
      generator_(seededGenerator().state()),
      current_(compactOrderOf<T>(text.ranks, text.N)),
      outcomes_(context.settings.nperm, console) {
  // One thread measures each order as soon as it is shuffled; more threads
  // keep a few orders in hand so that no one waits for the shuffle.
  const int slots = threads == 1 ? 1 : 2 * threads;
  for (int i = 0; i < slots; ++i) {
    free_.push_back(std::make_unique<OrderSlot<T>>());
    free_.back()->order.resize(current_.size());
  }
}

template <class T>
bool PermutationPipeline<T>::shuffleWanted() const {
  return !shuffling_ && !free_.empty() && nextRun_ <= outcomes_.lastNeededRun();
}

template <class T>
void PermutationPipeline<T>::shuffleNext(std::unique_lock<std::mutex>& lock) {
  shuffling_ = true;
  std::unique_ptr<OrderSlot<T>> slot = std::move(free_.back());
  free_.pop_back();
  slot->run = nextRun_++;
  lock.unlock();
  shuffleCompact(generator_, current_.data(), N_);
  std::copy(current_.begin(), current_.end(), slot->order.begin());
  lock.lock();
  shuffling_ = false;
  ready_.push_back(std::move(slot));
  changed_.notify_all();
}

template <class T>
void PermutationPipeline<T>::measureOldest(std::unique_lock<std::mutex>& lock,
                                           CompactRunState& state) {
  std::unique_ptr<OrderSlot<T>> slot = std::move(ready_.front());
  ready_.erase(ready_.begin());
  const int p = slot->run;
  const bool needed = p <= outcomes_.lastNeededRun();
  lock.unlock();
  std::exception_ptr error;
  if (needed) {
    try {
      measureCompactOrder(p, context_, slot->order.data(), state, arrays_);
    } catch (...) {
      error = std::current_exception();
    }
  }
  lock.lock();
  if (!needed) {
    // A run after a failed one: the program ends before it matters.
  } else if (error) {
    outcomes_.failed(p, error);
  } else {
    outcomes_.succeeded(p);
  }
  outcomes_.writeDueProgress();
  free_.push_back(std::move(slot));
  changed_.notify_all();
}

template <class T>
void PermutationPipeline<T>::work(CompactRunState& state) {
  std::unique_lock<std::mutex> lock(mutex_);
  outcomes_.writeDueProgress();
  while (!outcomes_.settled()) {
    if (shuffleWanted()) {
      shuffleNext(lock);
    } else if (!ready_.empty()) {
      measureOldest(lock, state);
    } else {
      changed_.wait(lock);
    }
  }
  changed_.notify_all();
}

template <class T>
MissingFits runPipeline(const MeasureContext& context, const Text& text, int threads,
                        std::FILE* console, RunArrays& arrays) {
  threads = std::max(1, std::min(threads, context.settings.nperm));
  PermutationPipeline<T> pipeline(context, text, threads, console, arrays);
  std::vector<std::unique_ptr<CompactRunState>> states;
  for (int t = 0; t < threads; ++t) {
    states.push_back(std::make_unique<CompactRunState>(context.shape));
  }
  std::vector<std::thread> helpers;
  try {
    for (int t = 1; t < threads; ++t) {
      helpers.emplace_back([&pipeline, &states, t] { pipeline.work(*states[t]); });
    }
  } catch (const std::system_error&) {
    // Fewer threads than asked for: the ones running finish the work.
  }
  pipeline.work(*states[0]);
  for (std::thread& helper : helpers) helper.join();

  if (std::exception_ptr error = pipeline.firstError()) {
    std::rethrow_exception(error);
  }
  MissingFits missing;
  for (const auto& state : states) missing += state->missing;
  return missing;
}

}  // namespace

MissingFits runPipelinedPermutations(const MeasureContext& context,
                                     const Text& text, int threads,
                                     std::FILE* console, RunArrays& arrays) {
  // Type ids run from 1 to typeLimit - 1.
  if (context.shape.typeLimit <= 65536) {
    return runPipeline<std::uint16_t>(context, text, threads, console, arrays);
  }
  return runPipeline<std::uint32_t>(context, text, threads, console, arrays);
}

}  // namespace tokshuf
