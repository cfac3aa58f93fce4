#include "window_stats/window_stats.h"

#include <cmath>

#include "gateway/to_index.h"

void accumulate_histograms(const double *const *planes, int plane_count, int64_t rows, int32_t r0,
                           int32_t r1, int32_t c0, int32_t c1, Histogram256 *histograms) {
  for (int p = 0; p < plane_count; ++p)
    for (int b = 0; b < kBins; ++b)
      histograms[p][b] = 0.0;
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c)
      for (int p = 0; p < plane_count; ++p)
        histograms[p][to_index(planes[p][r + c * rows])] += 1.0;
}

void normalize_counts(const double *counts, double inv_n, double *destination) {
  for (int b = 0; b < kBins; ++b)
    destination[b] = counts[b] * inv_n;
}

MeanDeviation window_mean_deviation(const double *plane, int64_t rows, int32_t r0, int32_t r1,
                                    int32_t c0, int32_t c1, double inv_n, double inv_n1) {
  double sum = 0.0;
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c)
      sum = sum + plane[r + c * rows];
  const double mean = sum * inv_n;
  double squares = 0.0;
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c) {
      const double d = plane[r + c * rows] - mean;
      squares = squares + d * d;
    }
  return {mean, std::sqrt(squares * inv_n1)};
}

double gaussian_fit_distance(const double *normalized, double mean, double dev) {
  const double two_var = dev * dev + dev * dev;
  const double coef = 1.0 / (std::sqrt(6.28318) * dev);
  double e = 0.0;
  for (int k = 0; k < kBins; ++k) {
    const double d = static_cast<double>(k) - mean;
    const double p = std::exp(-((d * d) / two_var)) * coef;
    e = e + (p - normalized[k]) * (p - normalized[k]);
  }
  return std::sqrt(e);
}

SimilarityTriple similarity_triple(double *h0, double *h1, double *h2) {
  double s0 = 0.0, s1 = 0.0, s2 = 0.0;
  for (int k = 0; k < kBins; ++k) {
    s0 = s0 + h0[k] * h0[k];
    s1 = s1 + h1[k] * h1[k];
    s2 = s2 + h2[k] * h2[k];
  }
  const double norm0 = std::sqrt(s0), norm1 = std::sqrt(s1), norm2 = std::sqrt(s2);
  for (int k = 0; k < kBins; ++k) {
    h0[k] = h0[k] / norm0;
    h1[k] = h1[k] / norm1;
    h2[k] = h2[k] / norm2;
  }
  SimilarityTriple t = {0.0, 0.0, 0.0};
  for (int k = 0; k < kBins; ++k) {
    t.t0 = t.t0 + h0[k] * h1[k];
    t.t1 = t.t1 + h0[k] * h2[k];
    t.t2 = t.t2 + h1[k] * h2[k];
  }
  return t;
}

double weighted_similarity(const double *weights, const SimilarityTriple &t) {
  return ((0.0 + weights[0] * t.t0) + weights[1] * t.t1) + weights[2] * t.t2;
}
