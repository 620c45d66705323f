#include "montecarlo/quick_sort.h"

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

constexpr int kInsertionSortMax = 7;  // longest range sorted by insertion
constexpr int kStackSize = 50;        // entries: two per pending range
// The pivot position comes from a small linear congruential sequence.
constexpr long kPivotModulus = 7875, kPivotMultiplier = 211,
               kPivotIncrement = 1663;

void insertionSort(int left, int right, double* arr) {
  for (int j = left + 1; j <= right; ++j) {
    const double a = arr[j];
    int i = j - 1;
    while (i >= 1 && arr[i] > a) {
      arr[i + 1] = arr[i];
      --i;
    }
    arr[i + 1] = a;
  }
}

// Places the pivot a, taken from arr[left..right], at its final position i and
// returns i.
int partition(int n, int left, int right, double a, double* arr) {
  int i = left;
  int j = right;
  for (;;) {
    while (j > 0 && a < arr[j]) --j;
    if (j <= i) {
      arr[i] = a;
      return i;
    }
    arr[i++] = arr[j];
    while (i <= n && a > arr[i]) ++i;
    if (j <= i) {
      i = j;
      arr[i] = a;
      return i;
    }
    arr[j--] = arr[i];
  }
}

}  // namespace

void quickSort(int n, double* arr) {
  int pending[kStackSize + 1];
  int top = 0;
  int left = 1;
  int right = n;
  long fx = 0;
  for (;;) {
    if (right - left < kInsertionSortMax) {
      insertionSort(left, right, arr);
      if (top == 0) return;
      right = pending[top--];
      left = pending[top--];
      continue;
    }
    fx = (fx * kPivotMultiplier + kPivotIncrement) % kPivotModulus;
    const int iq = left + int(((right - left + 1) * fx) / kPivotModulus);
    const double a = arr[iq];
    arr[iq] = arr[left];
    const int i = partition(n, left, right, a, arr);
    top += 2;
    if (top > kStackSize) throw FatalError("NSTACK too small in QCKSRT\n");
    if (right - i >= i - left) {
      pending[top] = right;
      pending[top - 1] = i + 1;
      right = i - 1;
    } else {
      pending[top] = i - 1;
      pending[top - 1] = left;
      left = i + 1;
    }
  }
}

}  // namespace tokshuf
