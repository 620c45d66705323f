// HD-D and vocd-D at the 40 chunk boundaries of one shuffled run of the
// 200,000-token text: every draw probability computed afresh against the
// per-thread cache (filled by the first pass, as by the first runs).
#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "bench_text.h"
#include "common/chunks.h"
#include "measures/hypergeometric_diversity.h"
#include "measures/spectrum.h"
#include "montecarlo/permutation.h"

namespace tokshuf {
namespace {

constexpr int kChunks = 40;

// The spectra at the boundaries, each cut down to the part the measures
// read so that forty of them stay small.
std::vector<FrequencySpectrum> boundarySpectra() {
  const std::vector<int> ranks = bench::shuffledBenchText();
  const Chunks chunkEnds = computeChunks(bench::benchTokens(), kChunks);
  WordFreqState s;
  std::vector<FrequencySpectrum> spectra(kChunks);
  for (int j = 1; j <= kChunks; ++j) {
    addChunkAndRebuild(s, ranks, 4, 1, chunkEnds[j - 1] + 1, chunkEnds[j]);
    FrequencySpectrum& f = spectra[j - 1];
    f = s;
    f.VM = std::vector<int>(s.VM.begin(), s.VM.begin() + s.mMax + 1);
    f.frequencies =
        std::vector<int>(s.frequencies.begin(), s.frequencies.begin() + s.frequencyCount + 1);
  }
  return spectra;
}

void BM_DrawDiversityPlain(benchmark::State& state) {
  const std::vector<FrequencySpectrum> spectra = boundarySpectra();
  for (auto _ : state) {
    for (const FrequencySpectrum& s : spectra) {
      benchmark::DoNotOptimize(hdd(s));
      benchmark::DoNotOptimize(vocdD(s));
    }
  }
}
BENCHMARK(BM_DrawDiversityPlain)->Unit(benchmark::kMicrosecond);

void BM_DrawDiversityCached(benchmark::State& state) {
  const std::vector<FrequencySpectrum> spectra = boundarySpectra();
  DrawProbabilityCache cache;
  for (auto _ : state) {
    for (const FrequencySpectrum& s : spectra) {
      benchmark::DoNotOptimize(hdd(s, kHddDraws, cache));
      benchmark::DoNotOptimize(vocdD(s, cache));
    }
  }
}
BENCHMARK(BM_DrawDiversityCached)->Unit(benchmark::kMicrosecond);

void BM_DrawDiversityCachedTogether(benchmark::State& state) {
  const std::vector<FrequencySpectrum> spectra = boundarySpectra();
  DrawProbabilityCache cache;
  for (auto _ : state) {
    for (const FrequencySpectrum& s : spectra) {
      benchmark::DoNotOptimize(drawDiversity(s, cache));
    }
  }
}
BENCHMARK(BM_DrawDiversityCachedTogether)->Unit(benchmark::kMicrosecond);

// The first run of a thread: every row computed and stored once.
void BM_DrawDiversityFreshCache(benchmark::State& state) {
  const std::vector<FrequencySpectrum> spectra = boundarySpectra();
  for (auto _ : state) {
    DrawProbabilityCache cache;
    for (const FrequencySpectrum& s : spectra) {
      benchmark::DoNotOptimize(drawDiversity(s, cache));
    }
  }
}
BENCHMARK(BM_DrawDiversityFreshCache)->Unit(benchmark::kMicrosecond);

// The fit of D alone, to the expected TTRs at the last boundary.
void BM_VocdFit(benchmark::State& state) {
  const FrequencySpectrum s = std::move(boundarySpectra().back());
  VocdTtrs E;
  for (int k = 0; k < kVocdSizes; ++k) E[k] = hdd(s, kVocdFirstDraws + k);
  for (auto _ : state) {
    benchmark::DoNotOptimize(E);
    benchmark::DoNotOptimize(fitVocdD(E));
  }
}
BENCHMARK(BM_VocdFit);

}  // namespace
}  // namespace tokshuf
