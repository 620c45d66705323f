#pragma once

// Shared pieces of the end-to-end tests: running the tokshuf binary in a
// scratch directory, building ranked-token files, and counting word types
// independently of the tool.

#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"
#include "support/profile_file.h"
#include "support/zipfian_text.h"

namespace tokshuf::test {

// Runs the tool in dir with args. Every run must leave standard output
// empty; the helper records a test failure when it does not.
ProcessResult runTokshuf(const TempDir& dir, const std::vector<std::string>& args);
ProcessResult runTokshuf(const TempDir& dir, ProcessOptions options);

// A refused run: status 1 and a single line on standard error that begins
// "tokshuf: ".
void expectOneErrorLine(const ProcessResult& result);

// The bundled sample text.
std::string genesisPath();

// The full usage text, as the tool prints it.
std::string usageText();

// The ranks of a ranked-token file with a header, in file order.
std::vector<int> readRanks(const std::string& path);

// Word-type counts of the first n tokens of a text.
struct PrefixCounts {
  int V = 0;
  int Vm[6] = {};  // Vm[i]: types that occur exactly i times, i = 1..5
};
PrefixCounts countTypes(const std::vector<int>& ranks, int n);
int countRank(const std::vector<int>& ranks, int n, int rank);

// Reads and parses a profile file of dir.
Profile readProfile(const TempDir& dir, const std::string& name);

// The names of the four profile files of a base name.
std::vector<std::string> profileNames(const std::string& base);

}  // namespace tokshuf::test
