#pragma once

namespace tokshuf {

// Run settings, filled from the command line; the defaults apply when an
// option is absent.
struct Settings {
  int nchunks = 20;
  int nperm = 0;
  int confidenceLevel = 95;  // percent
  int rankA = 4;  // the ranks of the two words whose counts are tracked
  int rankThe = 1;
  bool globalPstar = false;  // the Zipf fit takes p* from the whole text
  bool hasHeader = true;     // the ranked-token file starts with a header
};

}  // namespace tokshuf
