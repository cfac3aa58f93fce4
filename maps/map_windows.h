#pragma once
// What the three dense maps (anchorfield, vigorfield, vigorsheet) share: the
// scan over the window centres of an m x n plane, the statistics of one
// three-plane window, and the input checks of a map call. Each map adds only its
// window size, its fill value and its decision for one centre.
//
// A map first fills every element with its fill value. Then, centre columns
// outer and centre rows inner, it evaluates the square window about every
// centre at least `border` rows and columns from each edge, and lets the map's
// decision overwrite that centre's element. A window whose plane 2 has a
// deviation of exactly 0 keeps the fill value: the normal fit has no density
// there.
#include <cstdint>

#include "gateway/frame.h"
#include "window_stats/window_stats.h"

struct MapShape {
  int32_t radius; // the window reaches this far from its centre: side 2*radius + 1
  int32_t border; // centres lie at least this many rows and columns from every edge
  double inv_n;   // stored 1/(side*side): fit histogram and mean
  double inv_n1;  // stored 1/(side*side - 1): sample deviation
  double fill;    // every element before any window is evaluated
};

// Everything one window yields before the map's decision.
struct MapWindow {
  double score; // weighted cosine similarity of the three planes' histograms
  double mean;  // plane 2's window mean
  double dev;   // plane 2's window sample deviation
  // Plane 2's histogram for the normal fit, in one of two forms: the literal
  // path's normalized copy (counts times inv_n, taken before the similarity
  // rescales the counts), or the fast path's raw counts with inv_n.
  const double *fit;
  const int32_t *counts2;
  double inv_n;
};

// The distance of the window's fit histogram from the normal density of its
// mean and deviation. Decisions call it only when they need it; dev must not be 0.
double map_window_fit_distance(const MapWindow &window);

// gaussian_fit_distance of the histogram counts * inv_n, to the same bits, with
// the exponential skipped where it is exactly 0 (see the definition).
double fit_distance_from_counts(const int32_t *counts, double inv_n, double mean, double dev);

// A map's rule for one evaluated centre (dev above 0): may overwrite *element.
using MapDecision = void (*)(const MapWindow &window, double threshold, double *element);

// How the windows are evaluated. Both give the same bits; the literal one is the
// readable definition (and the oracle the fast one is tested against).
enum class MapPath { Literal, Fast };

// The whole map: M and N as the caller gave them (truncated here), planes of m
// rows, weights w0..w2, output of m*n elements. A negative or NaN size gives
// an empty map: nothing is written and nothing is read.
void build_window_map(const MapShape &shape, MapDecision decide, MapPath path, const double *plane0,
                      const double *plane1, const double *plane2, double M, double N,
                      const double *weights, double threshold, double *output);

// Evaluates the window about (row, col) in the literal order: fresh histograms,
// the normalized fit copy, the similarity triple and weighted score, then plane
// 2's mean and deviation.
void evaluate_map_window(const MapShape &shape, const double *const planes[3], int64_t rows,
                         int64_t row, int64_t col, const double *weights, Histogram256 fit,
                         MapWindow *window);

// True when an m x n call evaluates at least one window (and so reads its planes
// and weights).
inline bool map_has_windows(const MapShape &shape, int64_t m, int64_t n) {
  return m > 2 * static_cast<int64_t>(shape.border) && n > 2 * static_cast<int64_t>(shape.border);
}

// The checks a map call adds after the counts: when windows are evaluated, the
// planes (inputs 1-3) hold m*n values, the weights (input 6) 3, and every pixel
// an evaluated window reads has a histogram bin.
void check_map_inputs(const MapShape &shape, const FunctionFrame &frame, const CallInputs &inputs);
