#pragma once

#include "measures/word_freq_state.h"

namespace tokshuf {

// Lexical diversity indices read off the frequency spectrum of the prefix.
// lg is the logarithm to base 10, as in the published forms of these
// indices. Nothing is guarded: where an index is undefined (N = 1, V = 1,
// V = N) the value is whatever IEEE arithmetic gives, inf or nan.

// The type-token ratio V/N.
double typeTokenRatio(const FrequencySpectrum& s);
// Carroll's corrected TTR, V/sqrt(2N).
double carrollCttr(const FrequencySpectrum& s);
// Maas's a = sqrt((lg N - lg V) / (lg N)^2); a itself, not a^2.
double maasA(const FrequencySpectrum& s);
// Maas's lg V0 = lg V / sqrt(1 - (lg V / lg N)^2).
double maasLgV0(const FrequencySpectrum& s);
// Dugast's U = (lg N)^2 / (lg N - lg V).
double dugastU(const FrequencySpectrum& s);
// Summer's S = lg(lg V) / lg(lg N).
double summerS(const FrequencySpectrum& s);
// Yule's I = V^2 / (sum of m^2 V_m - V).
double yuleI(const FrequencySpectrum& s);
// Herdan's Vm = sqrt(sum of V_m (m/N)^2 - 1/V).
double herdanVm(const FrequencySpectrum& s);

}  // namespace tokshuf
