#pragma once

#include <vector>

namespace tokshuf {

// Measures of the frequency spectrum. Each walks MLIJST[1..numranks] in
// order and reads VM at the listed frequency.

// Yule's characteristic K.
double getK2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN);
// Simpson's D.
double getD2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN);
// Entropy of the word-frequency distribution, in nats.
double getE2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN);

}  // namespace tokshuf
