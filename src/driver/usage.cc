#include "driver/usage.h"

#include "common/fatal_error.h"
#include "common/limits.h"
#include "util/version.h"

namespace tokshuf {
namespace {

// A full disk or a closed pipe must not pass for a successful --help.
void finishStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    throw FatalError("tokshuf: can't write standard output\n");
  }
}

}  // namespace

void help(std::FILE* out) {
  std::fprintf(out, "tokshuf -kCHUNKS -pPERM -H -aA -tT -cC -z text.zvc \n");
  std::fprintf(out, "      (k maximally %d, p maximally %d)\n", kMaxChunks,
               kMaxPermutations);
  std::fprintf(out, "      (maximal text size %d)\n", kMaxTokens);
  std::fprintf(out, "OPTIONS:\n");
  std::fprintf(out, "      -a: zipf rank word1 (default: A = 4)\n");
  std::fprintf(out, "      -t: zipf rank word2 (default: T = 1)\n");
  std::fprintf(out, "      -H: text.zvc lacks its header\n");
  std::fprintf(out, "      -z: use global instead of local pstar for Zipf\n");
  std::fprintf(out, "      -c: confidence interval (default: C = 95)\n");
  std::fprintf(out, "      -k: number of chunks (default: 20)\n");
  std::fprintf(out, "      -p: number of permutation runs (default: 0)\n");
  std::fprintf(out, "INPUT:\n");
  std::fprintf(out, "      text.zvc:  Word z\n");
  std::fprintf(out, "OUTPUT:\n");
  std::fprintf(out, "  text.mcm: Monte Carlo means\n");
  std::fprintf(out, "  text.mcl: lower 95%% confidence interval\n");
  std::fprintf(out, "  text.mch: upper 95%% confidence interval\n");
  std::fprintf(out, "  text.obs: empirical profile of measures\n");
}

void printUsage() {
  help(stdout);
  std::fputs(
      "LONG OPTIONS (before text.zvc):\n"
      "      --measures=LIST: the columns, a comma-separated list of labels and of the\n"
      "          sets classic (the default), diversity and all\n"
      "      --window=W: MATTR window (default: 100)\n"
      "      --segment=S: MSTTR segment (default: 100)\n"
      "      --mtld-threshold=T: MTLD and MTLDMA factor threshold (default: 0.72)\n"
      "      --hdd-draws=n: HD-D draws (default: 42)\n"
      "      --runs: also write text.mcr, every run's values (needs -p)\n"
      "      --global: global envelope test per measure: text.mgl, text.mgh and\n"
      "          text.mgt (needs -p)\n"
      "      --seed=S: independent runs from the random stream with key S\n"
      "          (0 to 18446744073709551615)\n"
      "      --no-limits: texts of any length and any rank\n"
      "      --help, --version\n",
      stdout);
  finishStandardOutput();
}

void printVersion() {
  std::fprintf(stdout, "tokshuf %s\n", util::kVersion);
  finishStandardOutput();
}

}  // namespace tokshuf
