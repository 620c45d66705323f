#pragma once

namespace tokshuf {

// Run settings, filled from the command line; the defaults apply when an
// option is absent.
struct Settings {
  int nchunks = 20;
  int nperm = 0;
  int ci = 95;
  int f_a = 4;
  int f_the = 1;
  int useGlobalMmax = 0;
  int header = 1;
};

}  // namespace tokshuf
