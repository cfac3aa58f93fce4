#pragma once
// What stillcull and moodcull share: where a listed point's square window lies,
// and the input checks that keep every read of a call inside the arrays the
// caller passed.
//
// Both take (points, n, plane 0, plane 1, plane 2, M, K, ...) as inputs 1..7.
// Point i of an n-point list has its x (a zero-based column) at index i and its
// y (a zero-based row) at index n + i; both are truncated toward zero.
#include <cstdint>
#include <cstdio>

#include "gateway/frame.h"
#include "gateway/input_checks.h"
#include "gateway/to_index.h"
#include "window_stats/window_stats.h"

// The two workers (classifiers/stillcull.cpp and classifiers/moodcull.cpp).
// Each writes output[i] = 1.0 or 2.0 for i < to_index(n), and nothing when that
// is below 1.
void flag_points_by_fit(const double *points, double n, const double *plane0, const double *plane1,
                        const double *plane2, double m, double k, double threshold, double *output);
void flag_points_by_similarity(const double *points, double n, const double *plane0,
                               const double *plane1, const double *plane2, double m, double k,
                               const double *weights, double threshold, double *output);

constexpr int kPointsInput = 1;
constexpr int kCountInput = 2;
constexpr int kFirstPlaneInput = 3; // plane p is input 3 + p
constexpr int kRowsInput = 6;
constexpr int kColsInput = 7;

struct PointWindow {
  bool fits; // false: the window leaves the plane, and r0..c1 are meaningless
  int32_t r0, r1, c0, c1;
};

// The window of the given radius about point i of a `count`-point list. A
// coordinate that is NaN, infinite or beyond 32 bits saturates in to_index and
// fails the 64-bit window test, so it never yields an index.
inline PointWindow point_window(const double *points, int32_t count, int32_t i, int32_t radius,
                                int32_t rows, int32_t cols) {
  const int32_t x = to_index(points[i]);
  const int32_t y = to_index(points[static_cast<int64_t>(count) + i]);
  if (!window_fits(x, y, radius, rows, cols))
    return {false, 0, 0, 0, 0};
  return {true, y - radius, y + radius, x - radius, x + radius};
}

// What a classifier reads beyond the point list: the planes it bins (input
// numbers) and its weights input (0 for none).
struct ClassifierReads {
  int32_t radius;
  const int *plane_inputs;
  int plane_count;
  int weights_input;
};

// The added checks of both classifiers, in the order of the arrays they guard:
//  - n < 1 (NaN included): nothing is read, nothing is checked; the output is empty.
//  - the point list must hold 2n values.
//  - when M and K admit a window of this radius (so some point may be judged),
//    each plane read must hold M*K values and the weights input 3 values. When
//    no window fits, planes and weights are never read and may be anything.
//  - every pixel of a judged point's window must have a histogram bin; the
//    error names the plane, its one-based row and column, and the value.
inline void check_point_classifier_inputs(const FunctionFrame &frame, const CallInputs &inputs,
                                          const ClassifierReads &reads) {
  const int32_t count = to_index(inputs.scalar[kCountInput - 1]);
  if (count < 1)
    return;
  char why[96];
  std::snprintf(why, sizeof why, "a point list of n = %d", count);
  require_values(frame, inputs, kPointsInput, 2 * static_cast<int64_t>(count), why);

  const int32_t rows = to_index(inputs.scalar[kRowsInput - 1]);
  const int32_t cols = to_index(inputs.scalar[kColsInput - 1]);
  const int64_t side = 2 * static_cast<int64_t>(reads.radius) + 1;
  if (rows < side || cols < side)
    return;
  std::snprintf(why, sizeof why, "an M x K plane of %d x %d", rows, cols);
  for (int p = 0; p < reads.plane_count; ++p)
    require_values(frame, inputs, reads.plane_inputs[p],
                   static_cast<int64_t>(rows) * static_cast<int64_t>(cols), why);
  if (reads.weights_input != 0)
    require_values(frame, inputs, reads.weights_input, 3, "the weighted similarity");

  const double *points = inputs.data[kPointsInput - 1];
  for (int32_t i = 0; i < count; ++i) {
    const PointWindow w = point_window(points, count, i, reads.radius, rows, cols);
    if (!w.fits)
      continue;
    for (int p = 0; p < reads.plane_count; ++p)
      require_binnable_pixels(frame, inputs, reads.plane_inputs[p],
                              reads.plane_inputs[p] - kFirstPlaneInput, rows, w.r0, w.r1, w.c0,
                              w.c1);
  }
}
