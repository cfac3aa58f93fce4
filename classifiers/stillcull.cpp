// stillcull(P, n, plane0, plane1, plane2, M, K, threshold): one flag per listed
// point, 1.0 where plane 2's 41 x 41 window about the point lies farther than
// the threshold from the normal density of its own mean and deviation, and 2.0
// otherwise or where the window leaves the plane. Planes 0 and 1 are accepted
// for the common call form and never read.
#include "classifiers/point_windows.h"
#include "gateway/frame.h"
#include "window_stats/window_stats.h"

namespace {

constexpr int32_t kFitRadius = 20;
constexpr double kFitInvN = 0.000594883997620464;   // 1/1681
constexpr double kFitInvN1 = 0.0005952380952380953; // 1/1680

} // namespace

void flag_points_by_fit(const double *points, double n, const double *plane0, const double *plane1,
                        const double *plane2, double m, double k, double threshold,
                        double *output) {
  (void)plane0;
  (void)plane1;
  const int32_t count = to_index(n);
  const int32_t rows = to_index(m);
  const int32_t cols = to_index(k);
  for (int32_t i = 0; i < count; ++i) {
    const PointWindow w = point_window(points, count, i, kFitRadius, rows, cols);
    if (!w.fits) {
      output[i] = 2.0;
      continue;
    }
    Histogram256 histogram;
    accumulate_histograms(&plane2, 1, rows, w.r0, w.r1, w.c0, w.c1, &histogram);
    normalize_counts(histogram, kFitInvN, histogram);
    const MeanDeviation md =
        window_mean_deviation(plane2, rows, w.r0, w.r1, w.c0, w.c1, kFitInvN, kFitInvN1);
    // No test of dev: a constant window gives a NaN distance, and NaN > threshold is false.
    const double distance = gaussian_fit_distance(histogram, md.mean, md.dev);
    output[i] = distance > threshold ? 1.0 : 2.0;
  }
}

namespace {

const int kFitPlaneInputs[] = {5}; // plane 2 only

void check_stillcull_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  check_point_classifier_inputs(frame, inputs, {kFitRadius, kFitPlaneInputs, 1, 0});
}

} // namespace

DECLARE_DELIVERABLE(stillcull, check_stillcull_inputs, flag_points_by_fit);
