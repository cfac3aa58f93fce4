#include "maps/map_windows.h"

#include <cmath>
#include <cstdio>

#include "gateway/input_checks.h"
#include "gateway/to_index.h"

double map_window_fit_distance(const MapWindow &window) {
  if (window.counts2 == nullptr)
    return gaussian_fit_distance(window.fit, window.mean, window.dev);
  return fit_distance_from_counts(window.counts2, window.inv_n, window.mean, window.dev);
}

// The same operations as gaussian_fit_distance on h_k = counts[k] * inv_n. The
// exponential of anything below about -745.13 is exactly 0, so where
// d*d > 747*two_var (the quotient then rounds to at least 746) the density is
// 0 * coef without calling exp. Every term is still added, in order.
double fit_distance_from_counts(const int32_t *counts, double inv_n, double mean, double dev) {
  const double two_var = dev * dev + dev * dev;
  const double coef = 1.0 / (std::sqrt(6.28318) * dev);
  const double vanishing = 747.0 * two_var;
  const double zero_density = 0.0 * coef;
  double e = 0.0;
  for (int k = 0; k < kBins; ++k) {
    const double d = static_cast<double>(k) - mean;
    const double dd = d * d;
    const double p = dd > vanishing ? zero_density : std::exp(-(dd / two_var)) * coef;
    const double h = static_cast<double>(counts[k]) * inv_n;
    e = e + (p - h) * (p - h);
  }
  return std::sqrt(e);
}

void evaluate_map_window(const MapShape &shape, const double *const planes[3], int64_t rows,
                         int64_t row, int64_t col, const double *weights, Histogram256 fit,
                         MapWindow *window) {
  const int32_t r0 = static_cast<int32_t>(row - shape.radius);
  const int32_t r1 = static_cast<int32_t>(row + shape.radius);
  const int32_t c0 = static_cast<int32_t>(col - shape.radius);
  const int32_t c1 = static_cast<int32_t>(col + shape.radius);
  Histogram256 counts[3];
  accumulate_histograms(planes, 3, rows, r0, r1, c0, c1, counts);
  // The fit copy comes first: the similarity rescales the counts in place.
  normalize_counts(counts[2], shape.inv_n, fit);
  const SimilarityTriple t = similarity_triple(counts[0], counts[1], counts[2]);
  window->score = weighted_similarity(weights, t);
  const MeanDeviation md =
      window_mean_deviation(planes[2], rows, r0, r1, c0, c1, shape.inv_n, shape.inv_n1);
  window->mean = md.mean;
  window->dev = md.dev;
  window->fit = fit;
  window->counts2 = nullptr;
  window->inv_n = shape.inv_n;
}

namespace {

void fill_map(double *output, int64_t count, double value) {
  for (int64_t e = 0; e < count; ++e)
    output[e] = value;
}

void scan_literal(const MapShape &shape, MapDecision decide, const double *const planes[3],
                  int64_t m, int64_t n, const double *weights, double threshold, double *output) {
  Histogram256 fit;
  MapWindow window;
  for (int64_t j = shape.border; j < n - shape.border; ++j)
    for (int64_t i = shape.border; i < m - shape.border; ++i) {
      evaluate_map_window(shape, planes, m, i, j, weights, fit, &window);
      if (window.dev == 0.0)
        continue;
      decide(window, threshold, &output[i + j * m]);
    }
}

// --- The fast path -----------------------------------------------------------------
// Counts are whole numbers, so they can be kept as integers and updated as the
// window slides down a column: one row leaves, one row enters. The sum of
// squared counts is an exact integer too. The similarity sums then run over
// the bins both histograms occupy, in ascending order: every skipped term is
// exactly +0 and adding it changes nothing. The mean and deviation are summed
// afresh for every window in window order, as in the literal path.

struct SlidingCounts {
  int32_t count[3][kBins];
  int64_t squares[3];               // sum over bins of count^2
  uint64_t occupied[3][kBins / 64]; // bit k: count[k] > 0
};

void clear_counts(SlidingCounts *s) {
  for (int p = 0; p < 3; ++p) {
    for (int b = 0; b < kBins; ++b)
      s->count[p][b] = 0;
    s->squares[p] = 0;
    for (int w = 0; w < kBins / 64; ++w)
      s->occupied[p][w] = 0;
  }
}

inline void add_pixel(SlidingCounts *s, int p, int32_t bin) {
  const int32_t before = s->count[p][bin]++;
  s->squares[p] += 2 * static_cast<int64_t>(before) + 1;
  if (before == 0)
    s->occupied[p][bin >> 6] |= uint64_t{1} << (bin & 63);
}

inline void remove_pixel(SlidingCounts *s, int p, int32_t bin) {
  const int32_t after = --s->count[p][bin];
  s->squares[p] -= 2 * static_cast<int64_t>(after) + 1;
  if (after == 0)
    s->occupied[p][bin >> 6] &= ~(uint64_t{1} << (bin & 63));
}

// Adds (or removes) row r, columns c0..c1, of all three planes.
void add_window_row(SlidingCounts *s, const double *const planes[3], int64_t rows, int64_t r,
                    int64_t c0, int64_t c1) {
  for (int64_t c = c0; c <= c1; ++c)
    for (int p = 0; p < 3; ++p)
      add_pixel(s, p, to_index(planes[p][r + c * rows]));
}

void remove_window_row(SlidingCounts *s, const double *const planes[3], int64_t rows, int64_t r,
                       int64_t c0, int64_t c1) {
  for (int64_t c = c0; c <= c1; ++c)
    for (int p = 0; p < 3; ++p)
      remove_pixel(s, p, to_index(planes[p][r + c * rows]));
}

// Sum over ascending bins of (count_a/norm_a) * (count_b/norm_b), as in
// similarity_triple, over the bins where both counts are nonzero.
double cosine_over_shared_bins(const SlidingCounts &s, int a, int b, double norm_a, double norm_b) {
  double t = 0.0;
  for (int w = 0; w < kBins / 64; ++w) {
    uint64_t shared = s.occupied[a][w] & s.occupied[b][w];
    while (shared != 0) {
      const int k = w * 64 + __builtin_ctzll(shared);
      shared &= shared - 1;
      const double ha = static_cast<double>(s.count[a][k]) / norm_a;
      const double hb = static_cast<double>(s.count[b][k]) / norm_b;
      t = t + ha * hb;
    }
  }
  return t;
}

double score_of_counts(const SlidingCounts &s, const double *weights) {
  const double norm0 = std::sqrt(static_cast<double>(s.squares[0]));
  const double norm1 = std::sqrt(static_cast<double>(s.squares[1]));
  const double norm2 = std::sqrt(static_cast<double>(s.squares[2]));
  SimilarityTriple t;
  t.t0 = cosine_over_shared_bins(s, 0, 1, norm0, norm1);
  t.t1 = cosine_over_shared_bins(s, 0, 2, norm0, norm2);
  t.t2 = cosine_over_shared_bins(s, 1, 2, norm1, norm2);
  return weighted_similarity(weights, t);
}

void scan_fast(const MapShape &shape, MapDecision decide, const double *const planes[3], int64_t m,
               int64_t n, const double *weights, double threshold, double *output) {
  const int64_t radius = shape.radius;
  SlidingCounts counts;
  MapWindow window;
  window.fit = nullptr;
  window.counts2 = counts.count[2];
  window.inv_n = shape.inv_n;
  for (int64_t j = shape.border; j < n - shape.border; ++j) {
    const int64_t c0 = j - radius, c1 = j + radius;
    clear_counts(&counts);
    for (int64_t r = shape.border - radius; r < shape.border + radius; ++r)
      add_window_row(&counts, planes, m, r, c0, c1);
    for (int64_t i = shape.border; i < m - shape.border; ++i) {
      add_window_row(&counts, planes, m, i + radius, c0, c1);
      if (i > shape.border)
        remove_window_row(&counts, planes, m, i - radius - 1, c0, c1);
      const MeanDeviation md = window_mean_deviation(
          planes[2], m, static_cast<int32_t>(i - radius), static_cast<int32_t>(i + radius),
          static_cast<int32_t>(c0), static_cast<int32_t>(c1), shape.inv_n, shape.inv_n1);
      if (md.dev == 0.0)
        continue;
      window.score = score_of_counts(counts, weights);
      window.mean = md.mean;
      window.dev = md.dev;
      decide(window, threshold, &output[i + j * m]);
    }
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
  if (path == MapPath::Literal)
    scan_literal(shape, decide, planes, m, n, weights, threshold, output);
  else
    scan_fast(shape, decide, planes, m, n, weights, threshold, output);
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
