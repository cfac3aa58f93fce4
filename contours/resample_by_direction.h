#pragma once

// For each whole degree j (0..359) picks the contour point whose direction,
// seen from the origin, lies nearest to j degrees, and copies its coordinates
// into row j of a 360x2 direction table (x at table[j], y at table[360 + j]).
// points: 2n doubles, x of point i at i, y at n + i; count: n as a double.
// Ties keep the earlier point; a point at the origin is never chosen, unless it
// is point 0, in which case no comparison succeeds and every row holds it.
// With a count below 1 there is nothing to pick and every row is (0, 0).
void resample_by_direction(const double *points, double count, double *table);
