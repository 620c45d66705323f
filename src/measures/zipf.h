#pragma once

namespace tokshuf {

// Sum of 1/k for k = 2..m+1 (m terms, starting at one half); 0 for m < 1.
double harmonic(int m);

// Expected vocabulary of a text of curN tokens under Zipf's law with size z
// and top relative frequency pstarr; newMethod 1 selects the harmonic form,
// any other value the logarithmic form.
double fZipf(double z, double pstarr, double curN, int newMethod);

// The Zipf size: the z at which fZipf predicts curV to within half a type.
// A search that does not converge within 10000 passes adds one to *zeros
// and returns 0.
double getZ(double pster, int curN, int curV, int* zeros, int newMethod);

}  // namespace tokshuf
