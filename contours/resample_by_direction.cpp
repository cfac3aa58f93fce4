#include "contours/resample_by_direction.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "gateway/to_index.h"
#include "mex.h"

namespace {

constexpr int kDirections = 360;

// Unit vector of every point: x component of point i at i, y component at n + i.
// True divisions by the length, not a multiplication by its reciprocal.
void unit_vectors(const double *points, int64_t n, double *units) {
  for (int64_t i = 0; i < n; ++i) {
    const double x = points[i];
    const double y = points[n + i];
    const double r = std::sqrt(y * y + x * x);
    units[i] = x / r;
    units[n + i] = y / r;
  }
}

// 3.14159265 stands for pi: every direction lies slightly below its whole degree.
double direction_angle(int j) {
  return 3.14159265 * (2.0 * (static_cast<double>(j) / 360.0));
}

int64_t nearest_point(const double *units, int64_t n, double cos_theta, double sin_theta) {
  int64_t best = 0;
  double best_distance = std::sqrt((cos_theta - units[0]) * (cos_theta - units[0]) +
                                   (sin_theta - units[n]) * (sin_theta - units[n]));
  for (int64_t i = 1; i < n; ++i) {
    const double dx = cos_theta - units[i];
    const double dy = sin_theta - units[n + i];
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (best_distance > distance) { // strict: ties keep the earlier point; NaN never wins
      best = i;
      best_distance = distance;
    }
  }
  return best;
}

} // namespace

void resample_by_direction(const double *points, double count, double *table) {
  const int64_t n = to_index(count);
  if (n < 1) {
    for (int k = 0; k < 2 * kDirections; ++k)
      table[k] = 0.0;
    return;
  }
  // 64-bit byte count: 16 bytes a point overflows 32 bits from 2^28 points on.
  double *units = static_cast<double *>(mxMalloc(static_cast<size_t>(n) * 2 * sizeof(double)));
  unit_vectors(points, n, units);
  for (int j = 0; j < kDirections; ++j) {
    const double theta = direction_angle(j);
    const int64_t best = nearest_point(units, n, std::cos(theta), std::sin(theta));
    table[j] = points[best];
    table[kDirections + j] = points[n + best];
  }
  mxFree(units);
}
