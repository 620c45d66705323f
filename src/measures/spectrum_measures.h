#pragma once

#include <vector>

namespace tokshuf {

// Measures of the frequency spectrum. Each walks frequencies[1..frequencyCount]
// in order and reads VM at the listed frequency.

// Yule's characteristic K.
double yuleK(int frequencyCount, const std::vector<int>& VM,
             const std::vector<int>& frequencies, int N);
// Simpson's D.
double simpsonD(int frequencyCount, const std::vector<int>& VM,
                const std::vector<int>& frequencies, int N);
// Entropy of the word-frequency distribution, in nats.
double entropy(int frequencyCount, const std::vector<int>& VM,
               const std::vector<int>& frequencies, int N);

}  // namespace tokshuf
