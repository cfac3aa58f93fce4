// The three dense maps on 512 x 512 three-plane images, literal path against
// fast path (the same bits, tested in tests/unit/test_maps.cpp). Two images:
// uniform noise, where every window has a wide deviation and every density
// needs its exponential, and a smooth image with flat and gently varying
// patches, where most densities vanish.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "maps/dense_maps.h"

namespace {

const int64_t kSide = 512;

struct Image {
  std::vector<double> planes[3];
};

const Image &noise_image() {
  static const Image image = [] {
    Image made;
    std::mt19937 random(1);
    std::uniform_real_distribution<double> grey(0.0, 256.0);
    for (std::vector<double> &plane : made.planes) {
      plane.resize(kSide * kSide);
      for (double &v : plane)
        v = std::floor(grey(random));
    }
    return made;
  }();
  return image;
}

const Image &smooth_image() {
  static const Image image = [] {
    Image made;
    std::mt19937 random(2);
    std::normal_distribution<double> noise(0.0, 1.5);
    for (int p = 0; p < 3; ++p) {
      made.planes[p].resize(kSide * kSide);
      for (int64_t c = 0; c < kSide; ++c)
        for (int64_t r = 0; r < kSide; ++r) {
          const double base = 128.0 + 60.0 * std::sin(r * 0.02 + p) * std::cos(c * 0.015);
          const bool flat = (r / 64 + c / 64) % 3 == 0;
          made.planes[p][r + c * kSide] = flat ? 100.0 : std::round(base + noise(random));
        }
    }
    return made;
  }();
  return image;
}

using PathWorker = void (*)(MapPath, const double *, const double *, const double *, double, double,
                            const double *, double, double *);

// range(0): 0 literal, 1 fast; range(1): 0 noise, 1 smooth.
template <PathWorker worker> void BM_Map(benchmark::State &state) {
  const MapPath path = state.range(0) == 0 ? MapPath::Literal : MapPath::Fast;
  const Image &image = state.range(1) == 0 ? noise_image() : smooth_image();
  const double weights[3] = {1.0, 1.0, 1.0};
  std::vector<double> map(kSide * kSide);
  for (auto _ : state) {
    worker(path, image.planes[0].data(), image.planes[1].data(), image.planes[2].data(), kSide,
           kSide, weights, 1.5, map.data());
    benchmark::DoNotOptimize(map.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  state.SetLabel(std::string(path == MapPath::Literal ? "literal" : "fast") +
                 (state.range(1) == 0 ? " noise" : " smooth"));
}

void paths_and_images(benchmark::internal::Benchmark *b) {
  for (int image = 0; image < 2; ++image)
    for (int path = 0; path < 2; ++path)
      b->Args({path, image});
  b->Unit(benchmark::kMillisecond)->MinTime(0.5);
}

BENCHMARK_TEMPLATE(BM_Map, build_anchor_map_on)->Apply(paths_and_images);
BENCHMARK_TEMPLATE(BM_Map, build_vigor_map_on)->Apply(paths_and_images);
BENCHMARK_TEMPLATE(BM_Map, build_vigor_score_map_on)->Apply(paths_and_images);

} // namespace
