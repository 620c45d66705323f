#include "util/output_set.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "util/directory_locks.h"
#include "util/temporary_file.h"

namespace tokshuf::util {
namespace {

std::string describe(OutputError::Kind kind, const std::string& target, int errorNumber) {
  switch (kind) {
    case OutputError::Kind::kIsAnInput:
      return target + " is one of the inputs";
    case OutputError::Kind::kCannotCreate:
      return "cannot create " + target + (errorNumber != 0 ? std::string(": ") + std::strerror(errorNumber) : "");
    case OutputError::Kind::kCannotWrite:
      break;
  }
  return "cannot write " + target + (errorNumber != 0 ? std::string(": ") + std::strerror(errorNumber) : "");
}

// File systems that cannot flush a file say so with EINVAL.
bool flushedOrUnsupported(int fd) { return fsync(fd) == 0 || errno == EINVAL; }

}  // namespace

OutputError::OutputError(Kind kind, std::string target, int errorNumber)
    : std::runtime_error(describe(kind, target, errorNumber)),
      kind_(kind),
      target_(std::move(target)) {}

OutputSet::~OutputSet() { discard(); }

void OutputSet::protect(const std::string& inputPath) {
  struct stat info;
  if (stat(inputPath.c_str(), &info) == 0) protect(info);
}

void OutputSet::protect(const struct stat& input) {
  protected_.push_back({input.st_dev, input.st_ino});
}

void OutputSet::checkTarget(const std::string& target) const {
  struct stat existing;
  if (stat(target.c_str(), &existing) != 0) return;
  for (const Identity& input : protected_) {
    if (existing.st_dev == input.device && existing.st_ino == input.inode) {
      throw OutputError(OutputError::Kind::kIsAnInput, target, 0);
    }
  }
  if (S_ISDIR(existing.st_mode)) {
    throw OutputError(OutputError::Kind::kCannotCreate, target, EISDIR);
  }
  if (access(target.c_str(), W_OK) != 0) {
    throw OutputError(OutputError::Kind::kCannotCreate, target, errno);
  }
}

void OutputSet::cleanDirectoryOnce(const std::string& directory) {
  if (std::find(cleanedDirectories_.begin(), cleanedDirectories_.end(), directory) !=
      cleanedDirectories_.end()) {
    return;
  }
  cleanedDirectories_.push_back(directory);
  removeStaleTemporaries(directory);
}

int OutputSet::add(const std::string& target) {
  checkTarget(target);
  const std::string directory = directoryOf(target);
  cleanDirectoryOnce(directory);
  File file;
  file.target = target;
  int fd;
  {
    // A signal between creating the file and registering it would leave it.
    SignalHold hold;
    fd = createTemporaryFile(directory, file.temporary);
    if (fd < 0) throw OutputError(OutputError::Kind::kCannotCreate, target, errno);
    file.temporaryRemoval = removeOnTermination(file.temporary);
  }
  file.stream = fdopen(fd, "w");
  if (file.stream == nullptr) {
    const int error = errno;
    close(fd);
    unlink(file.temporary.c_str());
    forgetRemoval(file.temporaryRemoval);
    throw OutputError(OutputError::Kind::kCannotCreate, target, error);
  }
  files_.push_back(std::move(file));
  return static_cast<int>(files_.size()) - 1;
}

std::FILE* OutputSet::stream(int index) { return files_.at(static_cast<std::size_t>(index)).stream; }

void OutputSet::flushToDisk(File& file) {
  int error = 0;
  if (std::fflush(file.stream) != 0 || std::ferror(file.stream) != 0) error = errno ? errno : EIO;
  if (error == 0 && !flushedOrUnsupported(fileno(file.stream))) error = errno;
  if (std::fclose(file.stream) != 0 && error == 0) error = errno;
  file.stream = nullptr;
  if (error != 0) throw OutputError(OutputError::Kind::kCannotWrite, file.target, error);
}

namespace {

// In a sticky directory only the owner of a file (or of the directory) may
// replace or remove it. A backup of another user's file could then never be
// removed again, so such a target fails the commit before anything moves.
bool mayReplace(const std::string& target, const struct stat& existing) {
  struct stat directory;
  if (geteuid() == 0 || stat(directoryForCalls(directoryOf(target)).c_str(), &directory) != 0) {
    return true;
  }
  const bool sticky = (directory.st_mode & S_ISVTX) != 0;
  return !sticky || existing.st_uid == geteuid() || directory.st_uid == geteuid();
}

}  // namespace

void OutputSet::backUpTargets() {
  for (File& file : files_) {
    struct stat existing;
    if (lstat(file.target.c_str(), &existing) != 0) continue;
    if (!mayReplace(file.target, existing)) {
      rollBack();
      throw OutputError(OutputError::Kind::kCannotWrite, file.target, EPERM);
    }
    file.backup = unusedTemporaryName(directoryOf(file.target));
    if (link(file.target.c_str(), file.backup.c_str()) != 0) {
      const int error = errno;
      file.backup.clear();
      rollBack();
      throw OutputError(OutputError::Kind::kCannotWrite, file.target, error);
    }
  }
}

void OutputSet::replaceTargets() {
  for (File& file : files_) {
    if (std::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
      const int error = errno;
      rollBack();
      throw OutputError(OutputError::Kind::kCannotWrite, file.target, error);
    }
    file.replaced = true;
  }
}

// Puts every earlier target back and removes the new files; best effort,
// since there is nobody left to report a second failure to.
void OutputSet::rollBack() {
  for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
    if (file->replaced) {
      if (!file->backup.empty()) {
        std::rename(file->backup.c_str(), file->target.c_str());
      } else {
        unlink(file->target.c_str());
      }
      file->replaced = false;
    } else if (!file->backup.empty()) {
      unlink(file->backup.c_str());
    }
    file->backup.clear();
  }
}

void OutputSet::dropBackups() {
  for (File& file : files_) {
    if (!file.backup.empty()) unlink(file.backup.c_str());
    file.backup.clear();
    file.temporary.clear();
    forgetRemoval(file.temporaryRemoval);
  }
}

void OutputSet::commit() {
  SignalHold hold;
  try {
    for (File& file : files_) flushToDisk(file);
    std::vector<std::string> directories;
    for (const File& file : files_) directories.push_back(directoryForCalls(directoryOf(file.target)));
    DirectoryLocks locks(directories);
    backUpTargets();
    replaceTargets();
    if (!locks.syncAll()) {
      const int error = errno;
      rollBack();
      throw OutputError(OutputError::Kind::kCannotWrite, files_.front().target, error);
    }
    dropBackups();
  } catch (...) {
    discard();
    throw;
  }
}

void OutputSet::discard() {
  for (File& file : files_) {
    if (file.stream != nullptr) {
      std::fclose(file.stream);
      file.stream = nullptr;
    }
    if (!file.temporary.empty()) {
      unlink(file.temporary.c_str());
      file.temporary.clear();
    }
    forgetRemoval(file.temporaryRemoval);
  }
}

}  // namespace tokshuf::util
