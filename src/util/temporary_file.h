#pragma once

#include <string>

namespace tokshuf::util {

// Temporary files live beside their targets under hidden names that carry
// the creating process's id: ".tokshuf.tmp.<pid>.<unique>". A live run
// holds an exclusive lock on each of its temporary files for as long as the
// file is open, so that a later run can tell the files of runs that no
// longer exist (killed, or lost to a crash of the machine) from those of
// runs still going.

// The directory part of path, "" for a bare name, ending in '/' otherwise.
std::string directoryOf(const std::string& path);

// The directory argument for system calls: "." for "".
std::string directoryForCalls(const std::string& directory);

// Creates a new, empty temporary file in directory with the default mode
// for new files, opened for writing and locked. Returns its descriptor and
// sets path; returns -1 with errno set on failure.
int createTemporaryFile(const std::string& directory, std::string& path);

// A fresh temporary name in directory that does not exist yet.
std::string unusedTemporaryName(const std::string& directory);

// Removes the temporary files in directory left by runs that no longer
// exist. Never touches a file whose run may still be alive.
void removeStaleTemporaries(const std::string& directory);

}  // namespace tokshuf::util
