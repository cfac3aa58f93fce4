// vigorsheet(P0, P1, P2, M, N, weights, threshold): 1.0 everywhere except, at
// each 11x11 window centre whose planes are not similar enough (score below the
// threshold), 1 minus the distance of plane 2's histogram from its fitted normal
// density.
#include "maps/dense_maps.h"

#include "maps/map_windows.h"

namespace {

const MapShape kVigorSheetShape = {
    5,                    // radius: 11 x 11 windows
    5,                    // border
    0.008264462809917356, // 1/121
    0.008333333333333333, // 1/120
    1.0,                  // fill
};

void decide_vigor_score(const MapWindow &window, double threshold, double *element) {
  // A NaN score or threshold passes the "below the threshold" test.
  if (window.score >= threshold)
    return;
  *element = 1.0 - map_window_fit_distance(window);
}

void check_vigorsheet_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  check_map_inputs(kVigorSheetShape, frame, inputs);
}

} // namespace

void build_vigor_score_map_on(MapPath path, const double *plane0, const double *plane1,
                              const double *plane2, double M, double N, const double *weights,
                              double threshold, double *output) {
  build_window_map(kVigorSheetShape, decide_vigor_score, path, plane0, plane1, plane2, M, N,
                   weights, threshold, output);
}

void build_vigor_score_map(const double *plane0, const double *plane1, const double *plane2,
                           double M, double N, const double *weights, double threshold,
                           double *output) {
  build_vigor_score_map_on(MapPath::Fast, plane0, plane1, plane2, M, N, weights, threshold, output);
}

DECLARE_DELIVERABLE(vigorsheet, check_vigorsheet_inputs, build_vigor_score_map);
