#pragma once

namespace tokshuf {

// Sorts arr[1..n] ascending in place: quicksort with a pseudo-random pivot
// that restarts with every call, insertion sort for ranges of at most 7
// elements, and a fixed stack of pending ranges. Which values end up where
// when NaNs are present follows from these exact steps.
void quickSort(int n, double* arr);

}  // namespace tokshuf
