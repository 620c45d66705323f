#include "measures/window_columns.h"

namespace tokshuf {
namespace {

struct WindowColumn {
  int column;
  WindowMeasure measure;
};
constexpr WindowColumn kWindowColumns[] = {{kColumnMATTR, WindowMeasure::kMattr},
                                           {kColumnMSTTR, WindowMeasure::kMsttr},
                                           {kColumnMTLD, WindowMeasure::kMtld},
                                           {kColumnMTLDMA, WindowMeasure::kMtldMa}};

}  // namespace

WindowSelection chosenWindowMeasures(const RunArrays& out) {
  WindowSelection chosen;
  for (const WindowColumn& c : kWindowColumns) {
    if (out.has(c.column)) chosen = chosen.with(c.measure);
  }
  return chosen;
}

WindowParameters windowParameters(const MeasureParameters& parameters) {
  return {parameters.window, parameters.segment, parameters.mtldThreshold};
}

void storeWindowColumnsOfPrefix(int row, int j, const int* ranks, int n,
                                const MeasureParameters& parameters, int typeLimit,
                                RunArrays& out) {
  const WindowParameters p = windowParameters(parameters);
  for (const WindowColumn& c : kWindowColumns) {
    if (out.has(c.column)) {
      out[c.column][row][j] = windowMeasureOfPrefix(c.measure, ranks, n, p, typeLimit);
    }
  }
}

void storeWindowColumns(int row, int nchunks, const WindowValues& values, RunArrays& out) {
  for (const WindowColumn& c : kWindowColumns) {
    if (!out.has(c.column)) continue;
    for (int j = 1; j <= nchunks; ++j) out[c.column][row][j] = values(c.measure, j);
  }
}

}  // namespace tokshuf
