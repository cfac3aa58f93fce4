#pragma once
// rimvane's edgel binning: vectors sorted by direction into 360 one-degree bins.
//
// Directions are measured from the +y axis toward the +x axis (a vector along
// +y has direction 0, along +x 90), so a vector of magnitude m and direction
// theta is (m sin theta, m cos theta), and the output rows follow suit.
#include <cstdint>

// The bin of a vector that has no direction: zero length once rounded to
// single precision, or a component or magnitude that is not finite in single
// precision.
constexpr int32_t kNoDirection = -1;

// The bin (0..359) of the vector (x, y) and its single-precision magnitude,
// through its fixed mix of single and double steps; kNoDirection for a
// vector without a direction (its magnitude then means nothing).
int32_t bin_of_vector(float x, float y, float *magnitude);

// The worker of rimvane(E, n, threshold). edgels: 2n doubles, x of vector i at
// i, y at n + i; edgel_count: n as a double (truncated toward zero; n <= 0 or
// NaN reads no vector). Row j of the 360x2 table (table[j], table[360 + j])
// gets the longest vector of bin j laid along direction j when the bin holds
// 1 to 29 vectors whose largest gap between neighbouring magnitudes is at most
// the threshold, and (0, 0) otherwise. All 720 values are written.
void bin_edgel_directions(const double *edgels, double edgel_count, double threshold,
                          double *table);
