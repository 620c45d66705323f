#pragma once

#include "measures/word_freq_state.h"

namespace tokshuf {

// Measures of the frequency spectrum. Each walks the list of frequencies
// present in order and reads VM at the listed frequency.

// Yule's characteristic K.
double yuleK(const FrequencySpectrum& s);
// Simpson's D.
double simpsonD(const FrequencySpectrum& s);
// Entropy of the word-frequency distribution, in nats.
double entropy(const FrequencySpectrum& s);

}  // namespace tokshuf
