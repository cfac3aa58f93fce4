#pragma once
// Statistics of rectangular windows of image planes: 256-bin histograms, the
// window mean and sample deviation, the distance of a normalized histogram
// from the normal density fitted to that mean and deviation, and the cosine
// similarity of three planes' histograms.
//
// Planes are column-major: element (r, c) of an M-row plane at r + c*M. A
// window is rows r0..r1 and columns c0..c1, inclusive, and lies wholly inside
// the plane: the kernels do no bounds tests. Every pass visits the window rows
// outer, columns inner ("window order"), and every sum starts from 0.0 and adds
// its terms in that order. Scaling by 1/n or 1/(n-1) multiplies by the stored
// reciprocal the caller passes. Nothing here allocates or calls the host.
#include <cstdint>

#include "gateway/to_index.h"

constexpr int kBins = 256;
typedef double Histogram256[kBins];

struct SimilarityTriple {
  double t0; // planes (0, 1)
  double t1; // planes (0, 2)
  double t2; // planes (1, 2)
};

struct MeanDeviation {
  double mean;
  double dev;
};

// Fills `histograms[p]` with the counts of plane p's window, for p < plane_count
// (1 or 3). Bin b counts the pixels whose value truncates toward zero to b.
// Every value in the window must lie above -1 and below 256 (see
// has_histogram_bin): the callers check before they call.
void accumulate_histograms(const double *const *planes, int plane_count, int64_t rows, int32_t r0,
                           int32_t r1, int32_t c0, int32_t c1, Histogram256 *histograms);

// destination[b] = counts[b] * inv_n; destination may be counts itself.
void normalize_counts(const double *counts, double inv_n, double *destination);

// mean = (sum of values) * inv_n; dev = sqrt((sum of (value - mean)^2) * inv_n1).
MeanDeviation window_mean_deviation(const double *plane, int64_t rows, int32_t r0, int32_t r1,
                                    int32_t c0, int32_t c1, double inv_n, double inv_n1);

// sqrt of the sum over k = 0..255 of (p_k - h_k)^2, p_k the normal density with
// this mean and dev at k (6.28318 standing for 2*pi). NaN when dev is 0.
double gaussian_fit_distance(const double *normalized, double mean, double dev);

// Divides each histogram in place by its L2 norm, then returns the dot products
// of planes (0, 1), (0, 2) and (1, 2).
SimilarityTriple similarity_triple(double *h0, double *h1, double *h2);

// ((0.0 + w0*T0) + w1*T1) + w2*T2, left to right.
double weighted_similarity(const double *weights, const SimilarityTriple &t);

// True when the square window of the given radius about (x, y) lies inside a
// rows x cols plane; exact 64-bit comparisons that never wrap.
inline bool window_fits(int32_t x, int32_t y, int32_t radius, int32_t rows, int32_t cols) {
  const int64_t x64 = x, y64 = y;
  return y64 - radius >= 0 && y64 + radius < rows && x64 - radius >= 0 && x64 + radius < cols;
}
