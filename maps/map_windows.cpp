#include "maps/map_windows.h"

#include <cstdio>

#include "gateway/input_checks.h"
#include "gateway/to_index.h"

double map_window_fit_distance(const MapWindow &window) {
  return gaussian_fit_distance(window.fit, window.mean, window.dev);
}

void evaluate_map_window(const MapShape &shape, const double *const planes[3], int64_t rows,
                         int64_t row, int64_t col, const double *weights, MapWindow *window) {
  const int32_t r0 = static_cast<int32_t>(row - shape.radius);
  const int32_t r1 = static_cast<int32_t>(row + shape.radius);
  const int32_t c0 = static_cast<int32_t>(col - shape.radius);
  const int32_t c1 = static_cast<int32_t>(col + shape.radius);
  Histogram256 counts[3];
  accumulate_histograms(planes, 3, rows, r0, r1, c0, c1, counts);
  // The fit copy comes first: the similarity rescales the counts in place.
  normalize_counts(counts[2], shape.inv_n, window->fit);
  const SimilarityTriple t = similarity_triple(counts[0], counts[1], counts[2]);
  window->score = weighted_similarity(weights, t);
  const MeanDeviation md =
      window_mean_deviation(planes[2], rows, r0, r1, c0, c1, shape.inv_n, shape.inv_n1);
  window->mean = md.mean;
  window->dev = md.dev;
}

namespace {

void fill_map(double *output, int64_t count, double value) {
  for (int64_t e = 0; e < count; ++e)
    output[e] = value;
}

void scan_literal(const MapShape &shape, MapDecision decide, const double *const planes[3],
                  int64_t m, int64_t n, const double *weights, double threshold, double *output) {
  MapWindow window;
  for (int64_t j = shape.border; j < n - shape.border; ++j)
    for (int64_t i = shape.border; i < m - shape.border; ++i) {
      evaluate_map_window(shape, planes, m, i, j, weights, &window);
      if (window.dev == 0.0)
        continue;
      decide(window, threshold, &output[i + j * m]);
    }
}

} // namespace

void build_window_map(const MapShape &shape, MapDecision decide, MapPath path, const double *plane0,
                      const double *plane1, const double *plane2, double M, double N,
                      const double *weights, double threshold, double *output) {
  const int64_t m = to_index(M);
  const int64_t n = to_index(N);
  if (m <= 0 || n <= 0)
    return;
  fill_map(output, m * n, shape.fill);
  if (!map_has_windows(shape, m, n))
    return;
  const double *const planes[3] = {plane0, plane1, plane2};
  (void)path;
  scan_literal(shape, decide, planes, m, n, weights, threshold, output);
}

void check_map_inputs(const MapShape &shape, const FunctionFrame &frame, const CallInputs &inputs) {
  const int64_t m = to_index(inputs.scalar[3]);
  const int64_t n = to_index(inputs.scalar[4]);
  if (!map_has_windows(shape, m, n))
    return; // no window is evaluated, so neither the planes nor the weights are read
  char map_size[80];
  std::snprintf(map_size, sizeof map_size, "a map of %lld rows and %lld columns",
                static_cast<long long>(m), static_cast<long long>(n));
  for (int input = 1; input <= 3; ++input)
    require_values(frame, inputs, input, m * n, map_size);
  require_values(frame, inputs, 6, 3, "the similarity weighting");
  // Evaluated windows reach `radius` beyond the outermost centres and no further.
  const int64_t first = shape.border - shape.radius;
  for (int plane = 0; plane < 3; ++plane)
    require_binnable_pixels(frame, inputs, plane + 1, plane, m, first, m - 1 - first, first,
                            n - 1 - first);
}
