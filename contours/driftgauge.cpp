// driftgauge(A, na, B, nb): how far apart two contours lie, as one number.
#include <cmath>

#include "contours/contour_gap.h"
#include "contours/resample_by_direction.h"
#include "gateway/frame.h"
#include "gateway/input_checks.h"

void contour_gap(const double *first_points, double first_count, const double *second_points,
                 double second_count, double *result) {
  double a[720];
  double b[720];
  resample_by_direction(first_points, first_count, a);
  resample_by_direction(second_points, second_count, b);
  double sum = 0.0;
  for (int j = 0; j < 360; ++j) {
    const double dx = b[j] - a[j];
    const double dy = b[360 + j] - a[360 + j];
    sum = sum + std::sqrt(dy * dy + dx * dx);
  }
  *result = 0.25 * (sum / 360.0);
}

namespace {

void check_driftgauge_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  require_point_list(frame, inputs, 1, 2);
  require_point_list(frame, inputs, 3, 4);
}

} // namespace

DECLARE_DELIVERABLE(driftgauge, check_driftgauge_inputs, contour_gap);
