#pragma once
// The workers of the three dense maps. Each takes the inputs of its function in
// call order (planes 0-2, M, N, weights, threshold) and writes all
// to_index(M) * to_index(N) elements of the output; a negative or NaN size
// gives an empty map. The *_on forms choose how windows are evaluated (see
// MapPath); the workers themselves use the fast path, which gives the same bits.
#include "maps/map_windows.h"

void build_anchor_map(const double *plane0, const double *plane1, const double *plane2, double M,
                      double N, const double *weights, double threshold, double *output);
void build_vigor_map(const double *plane0, const double *plane1, const double *plane2, double M,
                     double N, const double *weights, double threshold, double *output);
void build_vigor_score_map(const double *plane0, const double *plane1, const double *plane2,
                           double M, double N, const double *weights, double threshold,
                           double *output);

void build_anchor_map_on(MapPath path, const double *plane0, const double *plane1,
                         const double *plane2, double M, double N, const double *weights,
                         double threshold, double *output);
void build_vigor_map_on(MapPath path, const double *plane0, const double *plane1,
                        const double *plane2, double M, double N, const double *weights,
                        double threshold, double *output);
void build_vigor_score_map_on(MapPath path, const double *plane0, const double *plane1,
                              const double *plane2, double M, double N, const double *weights,
                              double threshold, double *output);
