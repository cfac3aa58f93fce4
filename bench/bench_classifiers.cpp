// The two point classifiers, literal path, on 10,000 points over a 512 x 512
// three-plane image of uniform grey noise. Points are spread over the whole
// plane, so a few near the border get 2.0 without being judged.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "classifiers/point_windows.h"

namespace {

const int64_t kSide = 512;
const int64_t kPoints = 10000;

struct Scene {
  std::vector<double> planes[3];
  std::vector<double> points; // kPoints x 2, column-major
};

const Scene &noise_scene() {
  static const Scene scene = [] {
    Scene made;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> grey(0.0, 256.0);
    for (std::vector<double> &plane : made.planes) {
      plane.resize(kSide * kSide);
      for (double &v : plane)
        v = std::floor(grey(random));
    }
    std::uniform_real_distribution<double> coordinate(0.0, static_cast<double>(kSide));
    made.points.resize(2 * kPoints);
    for (double &v : made.points)
      v = coordinate(random);
    return made;
  }();
  return scene;
}

void BM_FlagPointsByFit(benchmark::State &state) {
  const Scene &scene = noise_scene();
  std::vector<double> flags(kPoints);
  for (auto _ : state) {
    flag_points_by_fit(scene.points.data(), kPoints, scene.planes[0].data(), scene.planes[1].data(),
                       scene.planes[2].data(), kSide, kSide, 0.01, flags.data());
    benchmark::DoNotOptimize(flags.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FlagPointsByFit)->Unit(benchmark::kMillisecond);

void BM_FlagPointsBySimilarity(benchmark::State &state) {
  const Scene &scene = noise_scene();
  const double weights[3] = {0.5, 0.25, 0.25};
  std::vector<double> flags(kPoints);
  for (auto _ : state) {
    flag_points_by_similarity(scene.points.data(), kPoints, scene.planes[0].data(),
                              scene.planes[1].data(), scene.planes[2].data(), kSide, kSide, weights,
                              0.5, flags.data());
    benchmark::DoNotOptimize(flags.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FlagPointsBySimilarity)->Unit(benchmark::kMillisecond);

} // namespace
