// rimvane(E, n, threshold): edge-element vectors sorted by direction into 360
// one-degree bins, one vector returned per bin.
//
// Single precision enters at fixed points (components, magnitude, unit
// components, arc tangent, the bins' counts and magnitudes, the gaps); every
// other step is double. Each rounding to single is written out as a cast.
#include "contours/rimvane.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "gateway/frame.h"
#include "gateway/input_checks.h"
#include "gateway/to_index.h"
#include "mex.h"

// Float and double expressions must be evaluated in their own types: with
// excess precision (x87) the rounding points below would silently move.
static_assert(FLT_EVAL_METHOD == 0, "rimvane needs float and double evaluated in their own types");

namespace {

constexpr int kBins = 360;
// Slot 0 of a bin holds its count, slots 1..29 its magnitudes in arrival order.
constexpr int kBinSlots = 30;
constexpr int kMaxStored = kBinSlots - 1;
constexpr float kClosed = -1.0f;

// The direction of bin j in radians; 3.14159265 stands for pi, so row 90 of a
// unit vector is (1, about 1.8e-9) rather than (1, 0).
double bin_direction(int j) {
  return 3.14159265 * (2.0 * (static_cast<double>(j) / 360.0));
}

// One 120-byte block per bin, taken in bin order; the counts are cleared in a
// second pass.
void take_bins(float *bins[kBins]) {
  for (int b = 0; b < kBins; ++b)
    bins[b] = static_cast<float *>(mxMalloc(kBinSlots * sizeof(float)));
  for (int b = 0; b < kBins; ++b)
    bins[b][0] = 0.0f;
}

void release_bins(float *bins[kBins]) {
  for (int b = 0; b < kBins; ++b)
    mxFree(bins[b]);
}

// A closed bin ignores the vector; the 30th vector of a bin closes it and is
// not stored.
void store_magnitude(float *bin, float magnitude) {
  if (bin[0] == kClosed)
    return;
  bin[0] = bin[0] + 1.0f; // counted in single precision
  const int32_t p = to_index(bin[0]);
  if (p == kBinSlots) {
    bin[0] = kClosed;
    return;
  }
  bin[p] = magnitude;
}

// Insertion sort, ascending: each element moves down past every neighbour
// strictly greater than it.
void sort_ascending(float *list, int count) {
  for (int i = 1; i < count; ++i) {
    const float value = list[i];
    int k = i;
    while (k > 0 && list[k - 1] > value) {
      list[k] = list[k - 1];
      --k;
    }
    list[k] = value;
  }
}

// Largest difference between neighbours of an ascending list of count >= 2
// values, each difference rounded to single precision.
float largest_gap(const float *sorted, int count) {
  float largest = sorted[1] - sorted[0];
  for (int i = 2; i < count; ++i) {
    const float gap = sorted[i] - sorted[i - 1];
    if (gap > largest)
      largest = gap;
  }
  return largest;
}

void write_row(double *table, int j, double magnitude) {
  const double theta = bin_direction(j);
  table[j] = magnitude * std::sin(theta);
  table[kBins + j] = magnitude * std::cos(theta);
}

// Row j from bin j: (0, 0) when the bin is empty or closed; its one vector; or,
// with 2 to 29 vectors, the longest when no gap between neighbouring
// magnitudes exceeds the threshold (a NaN threshold never passes).
void write_bin_row(const float *bin, double threshold, double *table, int j) {
  const int32_t s = to_index(bin[0]);
  if (s < 1) {
    table[j] = 0.0;
    table[kBins + j] = 0.0;
    return;
  }
  if (s == 1) {
    write_row(table, j, bin[1]);
    return;
  }
  float sorted[kMaxStored];
  for (int i = 0; i < s; ++i)
    sorted[i] = bin[1 + i];
  sort_ascending(sorted, s);
  const double gap = largest_gap(sorted, s);
  if (gap <= threshold) {
    write_row(table, j, sorted[s - 1]);
  } else {
    table[j] = 0.0;
    table[kBins + j] = 0.0;
  }
}

} // namespace

int32_t bin_of_vector(float x, float y, float *magnitude) {
  // A vector without a direction is left out: the steps below would give it a
  // NaN ratio, and a NaN bin, or an infinite magnitude that no gap test can
  // handle. It neither counts in a bin nor closes one.
  if (!std::isfinite(x) || !std::isfinite(y))
    return kNoDirection;
  const double dx = x, dy = y;
  const float m = static_cast<float>(std::sqrt(dx * dx + dy * dy));
  *magnitude = m;
  if (m == 0.0f || !std::isfinite(m)) // zero length, or too long for single precision
    return kNoDirection;
  // x / m rounded to single: the quotient is formed in double and then rounded.
  // For single operands this equals the single-precision quotient, because a
  // double carries more than 2 * 24 + 2 bits, so the double rounding is harmless.
  const float ux = static_cast<float>(dx / m);
  const float uy = static_cast<float>(dy / m);
  if (uy == 0.0f) // either sign of zero: a y too small to survive the rounding
    return ux > 0.0f ? 90 : 270;
  const float t = static_cast<float>(std::atan(static_cast<double>(ux) / uy));
  const double d = 180.0 * (t / 3.14159265);
  const int32_t k = to_index(d); // toward zero, before the quadrant shift
  if (uy > 0.0f)
    return k < 0 ? k + 360 : k;
  return k + 180;
}

void bin_edgel_directions(const double *edgels, double edgel_count, double threshold,
                          double *table) {
  const int64_t n = to_index(edgel_count);
  float *bins[kBins];
  take_bins(bins);
  for (int64_t i = 0; i < n; ++i) {
    // IEEE rounding to single: a component beyond the single range becomes
    // an infinity, which bin_of_vector turns away.
    const float x = static_cast<float>(edgels[i]);
    const float y = static_cast<float>(edgels[n + i]);
    float m = 0.0f;
    const int32_t b = bin_of_vector(x, y, &m);
    if (b != kNoDirection)
      store_magnitude(bins[b], m);
  }
  for (int j = 0; j < kBins; ++j)
    write_bin_row(bins[j], threshold, table, j);
  release_bins(bins);
}

namespace {

// Input 1 must hold the 2n values the worker reads. A non-positive (or NaN)
// count reads nothing and needs nothing.
void check_rimvane_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  const int32_t n = to_index(inputs.scalar[1]);
  if (n < 1)
    return;
  char why[64];
  std::snprintf(why, sizeof why, "the count %d in input 2", n);
  require_values(frame, inputs, 1, 2 * static_cast<int64_t>(n), why);
}

} // namespace

DECLARE_DELIVERABLE(rimvane, check_rimvane_inputs, bin_edgel_directions);
