// ringsample(P, n): the 360x2 table of the contour points nearest to each whole
// degree, seen from the origin. The worker is resample_by_direction itself.
#include "contours/resample_by_direction.h"
#include "gateway/frame.h"
#include "gateway/input_checks.h"

namespace {

void check_ringsample_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  require_point_list(frame, inputs, 1, 2);
}

} // namespace

DECLARE_DELIVERABLE(ringsample, check_ringsample_inputs, resample_by_direction);
