#pragma once

#include <cstdio>
#include <exception>
#include <vector>

namespace tokshuf {

// Which permutation runs have finished, and how, when they finish out of
// order. It makes the console and the end of the program what the
// sequential loop gives: the progress number of run p is written once runs
// 1..p-1 have succeeded (the loop writes it just before measuring run p),
// and the first failure in run order is the one that counts. Not
// thread-safe: the caller serialises the calls.
class RunOutcomes {
 public:
  // Progress numbers go to console; null writes none.
  RunOutcomes(int nperm, std::FILE* console);

  void succeeded(int p);
  void failed(int p, std::exception_ptr error);

  // Writes the progress numbers that have become due, in order.
  void writeDueProgress();

  // Runs after the first known failure need not be shuffled or measured.
  int lastNeededRun() const;
  // Every needed run has finished.
  bool settled() const;
  // The error of the first failed run, or null.
  std::exception_ptr firstError() const;

 private:
  void advanceSucceededPrefix();

  int nperm_;
  std::FILE* console_;
  std::vector<char> done_;  // by run: 1 succeeded
  std::vector<std::exception_ptr> errors_;
  int firstFailed_;
  int succeededPrefix_ = 0;  // runs 1..succeededPrefix_ all succeeded
  int nextProgress_ = 1;     // the next run whose progress is undecided
};

}  // namespace tokshuf
