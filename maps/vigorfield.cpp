// vigorfield(P0, P1, P2, M, N, weights, threshold): 1.0 everywhere except 0.5 at
// each centre at least 10 pixels from every edge whose 7x7 window has a
// similarity below the threshold, a plane-2 histogram farther than 0.15 from
// its fitted normal density, and a plane-2 deviation above 2.0.
#include "maps/dense_maps.h"

#include "maps/map_windows.h"

namespace {

// The border of 10 is wider than the window's reach of 3: rows and columns 0-6
// and the last 7 are never read.
const MapShape kVigorShape = {
    3,                    // radius: 7 x 7 windows
    10,                   // border
    0.02040816326530612,  // 1/49
    0.020833333333333332, // 1/48
    1.0,                  // fill
};

void decide_vigor(const MapWindow &window, double threshold, double *element) {
  // A NaN score or threshold passes the "below the threshold" test.
  if (window.score >= threshold)
    return;
  if (map_window_fit_distance(window) > 0.15 && window.dev > 2.0)
    *element = 0.5;
}

void check_vigorfield_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  check_map_inputs(kVigorShape, frame, inputs);
}

} // namespace

void build_vigor_map_on(MapPath path, const double *plane0, const double *plane1,
                        const double *plane2, double M, double N, const double *weights,
                        double threshold, double *output) {
  build_window_map(kVigorShape, decide_vigor, path, plane0, plane1, plane2, M, N, weights,
                   threshold, output);
}

void build_vigor_map(const double *plane0, const double *plane1, const double *plane2, double M,
                     double N, const double *weights, double threshold, double *output) {
  build_vigor_map_on(MapPath::Fast, plane0, plane1, plane2, M, N, weights, threshold, output);
}

DECLARE_DELIVERABLE(vigorfield, check_vigorfield_inputs, build_vigor_map);
