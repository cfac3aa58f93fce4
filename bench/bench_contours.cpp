// resample_by_direction (ringsample) and contour_gap (driftgauge): 360 scans
// of all n points, one square root per point and direction.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "contours/contour_gap.h"
#include "contours/resample_by_direction.h"

namespace {

// An n-point wobbly closed contour about the origin, in the n x 2 layout.
std::vector<double> contour(int64_t n, double radius) {
  std::vector<double> points(2 * static_cast<size_t>(n));
  for (int64_t i = 0; i < n; ++i) {
    const double t = 2.0 * M_PI * static_cast<double>(i) / static_cast<double>(n);
    const double r = radius * (1.0 + 0.2 * std::sin(7.0 * t));
    points[i] = r * std::cos(t);
    points[n + i] = r * std::sin(t);
  }
  return points;
}

void BM_ResampleByDirection(benchmark::State &state) {
  const int64_t n = state.range(0);
  const std::vector<double> points = contour(n, 50.0);
  std::vector<double> table(720);
  for (auto _ : state) {
    resample_by_direction(points.data(), static_cast<double>(n), table.data());
    benchmark::DoNotOptimize(table.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ResampleByDirection)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ContourGap(benchmark::State &state) {
  const int64_t n = state.range(0);
  const std::vector<double> a = contour(n, 50.0), b = contour(n, 60.0);
  double result = 0.0;
  for (auto _ : state) {
    contour_gap(a.data(), static_cast<double>(n), b.data(), static_cast<double>(n), &result);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ContourGap)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
