// anchorfield(P0, P1, P2, M, N, weights, threshold): a three-level map of 11x11
// windows. 1.0 where plane 2 varies little (deviation above 0 and below 2),
// -1.0 where it varies more and either the planes are not similar enough or
// plane 2's histogram lies far from its fitted normal density, 0.5 elsewhere
// (including the 5-pixel border).
#include "maps/dense_maps.h"

#include "maps/map_windows.h"

namespace {

const MapShape kAnchorShape = {
    5,                    // radius: 11 x 11 windows
    5,                    // border
    0.008264462809917356, // 1/121
    0.008333333333333333, // 1/120
    0.5,                  // fill
};

void decide_anchor(const MapWindow &window, double threshold, double *element) {
  if (window.dev < 2.0) {
    *element = 1.0;
    return;
  }
  // A NaN score or threshold fails the similarity test.
  if (!(window.score >= threshold)) {
    *element = -1.0;
    return;
  }
  if (map_window_fit_distance(window) > 0.15)
    *element = -1.0;
}

void check_anchorfield_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  check_map_inputs(kAnchorShape, frame, inputs);
}

} // namespace

void build_anchor_map_on(MapPath path, const double *plane0, const double *plane1,
                         const double *plane2, double M, double N, const double *weights,
                         double threshold, double *output) {
  build_window_map(kAnchorShape, decide_anchor, path, plane0, plane1, plane2, M, N, weights,
                   threshold, output);
}

void build_anchor_map(const double *plane0, const double *plane1, const double *plane2, double M,
                      double N, const double *weights, double threshold, double *output) {
  build_anchor_map_on(MapPath::Fast, plane0, plane1, plane2, M, N, weights, threshold, output);
}

DECLARE_DELIVERABLE(anchorfield, check_anchorfield_inputs, build_anchor_map);
