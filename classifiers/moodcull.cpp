// moodcull(P, n, plane0, plane1, plane2, M, K, w, threshold): one flag per
// listed point, 2.0 where the weighted cosine similarity of the three planes'
// 21 x 21 window histograms about the point reaches the threshold (or where the
// window leaves the planes), and 1.0 where it falls below.
#include "classifiers/point_windows.h"
#include "gateway/frame.h"
#include "window_stats/window_stats.h"

namespace {

constexpr int32_t kSimilarityRadius = 10;

} // namespace

void flag_points_by_similarity(const double *points, double n, const double *plane0,
                               const double *plane1, const double *plane2, double m, double k,
                               const double *weights, double threshold, double *output) {
  const int32_t count = to_index(n);
  const int32_t rows = to_index(m);
  const int32_t cols = to_index(k);
  const double *const planes[3] = {plane0, plane1, plane2};
  for (int32_t i = 0; i < count; ++i) {
    const PointWindow w = point_window(points, count, i, kSimilarityRadius, rows, cols);
    if (!w.fits) {
      output[i] = 2.0;
      continue;
    }
    Histogram256 histograms[3];
    accumulate_histograms(planes, 3, rows, w.r0, w.r1, w.c0, w.c1, histograms);
    const SimilarityTriple t = similarity_triple(histograms[0], histograms[1], histograms[2]);
    const double score = weighted_similarity(weights, t);
    // A NaN score or threshold makes the comparison false: 1.0.
    output[i] = score >= threshold ? 2.0 : 1.0;
  }
}

namespace {

const int kSimilarityPlaneInputs[] = {3, 4, 5};
constexpr int kWeightsInput = 8;

void check_moodcull_inputs(const FunctionFrame &frame, const CallInputs &inputs) {
  check_point_classifier_inputs(frame, inputs,
                                {kSimilarityRadius, kSimilarityPlaneInputs, 3, kWeightsInput});
}

} // namespace

DECLARE_DELIVERABLE(moodcull, check_moodcull_inputs, flag_points_by_similarity);
