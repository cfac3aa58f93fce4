#pragma once

// A quarter of the mean distance between two contours' points of equal whole
// degree, after resampling each by direction: 0.25 * (sum / 360).
void contour_gap(const double *first_points, double first_count, const double *second_points,
                 double second_count, double *result);
