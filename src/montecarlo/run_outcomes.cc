#include "montecarlo/run_outcomes.h"

#include <cstdio>

namespace tokshuf {

RunOutcomes::RunOutcomes(int nperm, std::FILE* console)
    : nperm_(nperm),
      console_(console),
      done_(std::size_t(nperm) + 2, 0),
      errors_(std::size_t(nperm) + 2),
      firstFailed_(nperm + 1) {}

void RunOutcomes::succeeded(int p) {
  done_[p] = 1;
  advanceSucceededPrefix();
}

void RunOutcomes::failed(int p, std::exception_ptr error) {
  errors_[p] = error;
  if (p < firstFailed_) firstFailed_ = p;
}

void RunOutcomes::advanceSucceededPrefix() {
  while (succeededPrefix_ < nperm_ && done_[succeededPrefix_ + 1]) {
    ++succeededPrefix_;
  }
}

void RunOutcomes::writeDueProgress() {
  while (nextProgress_ <= nperm_ && nextProgress_ - 1 <= succeededPrefix_) {
    if (nextProgress_ % 10 == 0 && console_ != nullptr) {
      std::fprintf(console_, "%d\r", nextProgress_);
    }
    ++nextProgress_;
  }
}

int RunOutcomes::lastNeededRun() const {
  return firstFailed_ <= nperm_ ? firstFailed_ : nperm_;
}

bool RunOutcomes::settled() const {
  return succeededPrefix_ == nperm_ || succeededPrefix_ == firstFailed_ - 1;
}

std::exception_ptr RunOutcomes::firstError() const {
  return firstFailed_ <= nperm_ ? errors_[firstFailed_] : nullptr;
}

}  // namespace tokshuf
