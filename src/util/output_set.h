#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "util/termination_cleanup.h"

namespace tokshuf::util {

// What went wrong with an output file. what() is a sentence fragment for
// the companion programs' messages ("cannot create out.svg: Permission
// denied", "cannot write out.svg", "out.svg is one of the inputs"); tokshuf
// words its own messages from kind() and target().
class OutputError : public std::runtime_error {
 public:
  enum class Kind { kCannotCreate, kIsAnInput, kCannotWrite };
  OutputError(Kind kind, std::string target, int errorNumber);
  Kind kind() const { return kind_; }
  const std::string& target() const { return target_; }

 private:
  Kind kind_;
  std::string target_;
};

// Output files that replace their targets together or not at all.
//
// Each file is written to a temporary file beside its target. commit()
// flushes them to disk and renames them over their targets as one unit:
// every existing target is first linked to a backup name, so that if any
// rename fails the ones done before it are undone, and catchable signals
// are held off meanwhile. Concurrent runs into the same directory take
// turns at committing (an exclusive lock on the directory), so whatever
// runs at the same time, a set of results always comes from one run.
// Temporary files are removed on failure, on destruction without commit,
// and when a catchable signal ends the program; those of runs killed
// outright are removed by the next run that writes into their directory.
class OutputSet {
 public:
  OutputSet() = default;
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // The outputs must never replace this existing file, whatever name
  // reaches it (compared by device and inode). A missing file is ignored.
  void protect(const std::string& inputPath);
  void protect(const struct stat& input);

  // Checks the target (not a protected input, not a directory, writable),
  // creates its temporary file and returns its index, counted from 0.
  int add(const std::string& target);

  // The temporary file of output index, open for writing.
  std::FILE* stream(int index);

  // Replaces every target with its new content, or none of them.
  void commit();

  // Removes every temporary file; safe to call more than once.
  void discard();

 private:
  struct File {
    std::string target;
    std::string temporary;
    std::string backup;  // the earlier target during commit()
    std::FILE* stream = nullptr;
    RemovalHandle temporaryRemoval;
    bool replaced = false;
  };
  struct Identity {
    dev_t device;
    ino_t inode;
  };

  void checkTarget(const std::string& target) const;
  void cleanDirectoryOnce(const std::string& directory);
  void flushToDisk(File& file);
  void backUpTargets();
  void replaceTargets();
  void syncDirectories();
  void rollBack();
  void dropBackups();

  std::vector<File> files_;
  std::vector<Identity> protected_;
  std::vector<std::string> cleanedDirectories_;
};

}  // namespace tokshuf::util
