#include "montecarlo/parallel_permutation.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "measures/compact_run.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/measuring_threads.h"
#include "montecarlo/permutation.h"
#include "montecarlo/run_outcomes.h"

namespace tokshuf {
namespace {

// The partners of one run's exchanges, drawn ahead of them.
struct PartnerSlot {
  std::vector<int> partner;  // partner[1..N-1]
  int run = 0;
};

// A shuffled order waiting for, or under, measurement.
template <class T>
struct OrderSlot {
  std::vector<T> order;
  int run = 0;
};

// Three kinds of work make a run: drawing its partners (from its own
// stretch of the generator's stream, which any thread can reach directly),
// making its exchanges on the order the run before left (one run at a
// time, in run order: the shuffle is cumulative), and measuring the order
// it leaves. Only the exchanges are sequential; the threads keep them
// going and share the rest.
template <class T>
class PermutationPipeline {
 public:
  PermutationPipeline(const MeasureContext& context, const Text& text,
                      int threads, std::FILE* console, RunArrays& arrays);

  // The loop of every thread: exchange when the next run's partners are
  // drawn and no one else is exchanging, else keep one run's partners drawn
  // ahead, else measure the oldest order ready, else draw further ahead.
  void work(CompactRunState& state);

  std::exception_ptr firstError() const { return outcomes_.firstError(); }

 private:
  bool exchangeWanted() const;
  bool drawWanted(int ahead) const;
  void drawNext(std::unique_lock<std::mutex>& lock);
  void exchangeNext(std::unique_lock<std::mutex>& lock);
  void measureOldest(std::unique_lock<std::mutex>& lock, CompactRunState& state);
  // Runs whose partners are drawn or being drawn and not yet exchanged.
  int drawnAhead() const { return nextDraw_ - nextExchange_; }

  const MeasureContext& context_;
  const int N_;
  RunArrays& arrays_;
  // The generator right after its seeding; run p draws from (p - 1)(N - 1)
  // draws further on.
  const BlockUniformRandom seeded_;

  // Owned by the one thread that is exchanging (exchanging_ set).
  std::vector<T> current_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<PartnerSlot>> freePartners_;
  std::vector<std::unique_ptr<PartnerSlot>> drawnPartners_;  // in any order
  std::vector<std::unique_ptr<OrderSlot<T>>> freeOrders_;
  std::vector<std::unique_ptr<OrderSlot<T>>> readyOrders_;  // in run order
  bool exchanging_ = false;
  int nextDraw_ = 1;
  int nextExchange_ = 1;
  RunOutcomes outcomes_;
};

template <class T>
PermutationPipeline<T>::PermutationPipeline(const MeasureContext& context,
                                            const Text& text, int threads,
                                            std::FILE* console, RunArrays& arrays)
    : context_(context),
      N_(text.N),
      arrays_(arrays),
      seeded_(seededGenerator().state()),
      current_(compactOrderOf<T>(text.ranks, text.N)),
      outcomes_(context.settings.nperm, console) {
  // One thread works run by run; more keep a few runs in hand so that the
  // exchanges never wait.
  const int orders = threads == 1 ? 1 : 2 * threads;
  const int partners = threads == 1 ? 1 : threads + 1;
  for (int i = 0; i < orders; ++i) {
    freeOrders_.push_back(std::make_unique<OrderSlot<T>>());
    freeOrders_.back()->order.resize(current_.size());
  }
  for (int i = 0; i < partners; ++i) {
    freePartners_.push_back(std::make_unique<PartnerSlot>());
    freePartners_.back()->partner.resize(current_.size());
  }
}

template <class T>
bool PermutationPipeline<T>::exchangeWanted() const {
  if (exchanging_ || freeOrders_.empty() || nextExchange_ > outcomes_.lastNeededRun()) {
    return false;
  }
  return std::any_of(drawnPartners_.begin(), drawnPartners_.end(),
                     [&](const auto& slot) { return slot->run == nextExchange_; });
}

template <class T>
bool PermutationPipeline<T>::drawWanted(int ahead) const {
  return !freePartners_.empty() && drawnAhead() < ahead &&
         nextDraw_ <= outcomes_.lastNeededRun();
}

template <class T>
void PermutationPipeline<T>::drawNext(std::unique_lock<std::mutex>& lock) {
  std::unique_ptr<PartnerSlot> slot = std::move(freePartners_.back());
  freePartners_.pop_back();
  slot->run = nextDraw_++;
  lock.unlock();
  const std::int64_t before = std::int64_t(slot->run - 1) * std::max(N_ - 1, 0);
  BlockUniformRandom generator = seeded_.ahead(before);
  drawPartners(generator, slot->partner.data(), N_);
  lock.lock();
  drawnPartners_.push_back(std::move(slot));
  changed_.notify_all();
}

template <class T>
void PermutationPipeline<T>::exchangeNext(std::unique_lock<std::mutex>& lock) {
  exchanging_ = true;
  const auto drawn = std::find_if(drawnPartners_.begin(), drawnPartners_.end(),
                                  [&](const auto& slot) { return slot->run == nextExchange_; });
  std::unique_ptr<PartnerSlot> partners = std::move(*drawn);
  drawnPartners_.erase(drawn);
  std::unique_ptr<OrderSlot<T>> slot = std::move(freeOrders_.back());
  freeOrders_.pop_back();
  slot->run = nextExchange_++;
  lock.unlock();
  applyPartners(current_.data(), partners->partner.data(), N_);
  std::copy(current_.begin(), current_.end(), slot->order.begin());
  lock.lock();
  exchanging_ = false;
  freePartners_.push_back(std::move(partners));
  readyOrders_.push_back(std::move(slot));
  changed_.notify_all();
}

template <class T>
void PermutationPipeline<T>::measureOldest(std::unique_lock<std::mutex>& lock,
                                           CompactRunState& state) {
  std::unique_ptr<OrderSlot<T>> slot = std::move(readyOrders_.front());
  readyOrders_.erase(readyOrders_.begin());
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
  freeOrders_.push_back(std::move(slot));
  changed_.notify_all();
}

template <class T>
void PermutationPipeline<T>::work(CompactRunState& state) {
  std::unique_lock<std::mutex> lock(mutex_);
  outcomes_.writeDueProgress();
  while (!outcomes_.settled()) {
    if (exchangeWanted()) {
      exchangeNext(lock);
    } else if (drawWanted(1)) {
      drawNext(lock);
    } else if (!readyOrders_.empty()) {
      measureOldest(lock, state);
    } else if (drawWanted(int(freePartners_.size() + drawnPartners_.size()))) {
      drawNext(lock);
    } else {
      changed_.wait(lock);
    }
  }
  changed_.notify_all();
}

template <class T>
MissingFits runPipeline(const MeasureContext& context, const Text& text, int threads,
                        std::FILE* console, RunArrays& arrays) {
  threads = measuringThreads(threads, context.settings.nperm);
  PermutationPipeline<T> pipeline(context, text, threads, console, arrays);
  return runMeasuringThreads(pipeline, context.shape, threads);
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
