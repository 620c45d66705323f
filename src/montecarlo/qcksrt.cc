#include "montecarlo/qcksrt.h"

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

constexpr int M = 7;
constexpr int NSTACK = 50;
constexpr long FM = 7875, FA = 211, FC = 1663;

void insertionSort(int l, int ir, double* arr) {
  for (int j = l + 1; j <= ir; ++j) {
    const double a = arr[j];
    int i = j - 1;
    while (i >= 1 && arr[i] > a) {
      arr[i + 1] = arr[i];
      --i;
    }
    arr[i + 1] = a;
  }
}

// Places the pivot a, taken from arr[l..ir], at its final position i and
// returns i.
int partition(int n, int l, int ir, double a, double* arr) {
  int i = l;
  int j = ir;
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

void qcksrt(int n, double* arr) {
  int istack[NSTACK + 1];
  int jstack = 0;
  int l = 1;
  int ir = n;
  long fx = 0;
  for (;;) {
    if (ir - l < M) {
      insertionSort(l, ir, arr);
      if (jstack == 0) return;
      ir = istack[jstack--];
      l = istack[jstack--];
      continue;
    }
    fx = (fx * FA + FC) % FM;
    const int iq = l + int(((ir - l + 1) * fx) / FM);
    const double a = arr[iq];
    arr[iq] = arr[l];
    const int i = partition(n, l, ir, a, arr);
    jstack += 2;
    if (jstack > NSTACK) throw FatalError("NSTACK too small in QCKSRT\n");
    if (ir - i >= i - l) {
      istack[jstack] = ir;
      istack[jstack - 1] = i + 1;
      ir = i - 1;
    } else {
      istack[jstack] = i - 1;
      istack[jstack - 1] = l;
      l = i + 1;
    }
  }
}

}  // namespace tokshuf
