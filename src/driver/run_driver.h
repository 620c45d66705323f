#pragma once

namespace tokshuf {

// The whole program: scans the options, reads the ranked-token file,
// measures the text and its permutations and writes the profile files.
// Returns the exit status; every message goes to standard error.
int runTokshuf(int argc, char** argv);

}  // namespace tokshuf
