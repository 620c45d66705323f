#pragma once

namespace tokshuf {

// Sum of 1/k for k = 2..m+1 (m terms, starting at one half); 0 for m < 1.
double harmonic(int m);

// How the expected vocabulary sums the type probabilities: by their
// logarithmic approximation or by the harmonic numbers themselves.
enum class ZipfForm { kLogarithmic, kHarmonic };

// The form the measurements use.
inline constexpr ZipfForm kZipfForm = ZipfForm::kLogarithmic;

// Expected vocabulary of a text of N tokens under Zipf's law with size z
// and top relative frequency pstar.
double zipfVocabulary(double z, double pstar, double N, ZipfForm form);

// The Zipf size: the z at which zipfVocabulary predicts V to within half a
// type.
// A search that does not converge within 10000 passes adds one to *zeros
// and returns 0.
double zipfSize(double pstar, int N, int V, int* zeros, ZipfForm form);

}  // namespace tokshuf
