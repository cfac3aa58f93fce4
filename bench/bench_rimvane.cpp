// rimvane's worker on many random edge-element vectors: the cost per vector
// (one square root, one arc tangent, a bin store) dominates; the output pass
// is bounded independently of n.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "contours/rimvane.h"

namespace {

std::vector<double> random_edgels(int64_t n) {
  std::mt19937 rng(12345);
  std::normal_distribution<double> component(0.0, 10.0);
  std::vector<double> edgels(2 * static_cast<size_t>(n));
  for (double &value : edgels)
    value = component(rng);
  return edgels;
}

void BM_BinEdgelDirections(benchmark::State &state) {
  const int64_t n = state.range(0);
  const std::vector<double> edgels = random_edgels(n);
  std::vector<double> table(720);
  for (auto _ : state) {
    bin_edgel_directions(edgels.data(), static_cast<double>(n), 0.5, table.data());
    benchmark::DoNotOptimize(table.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_BinEdgelDirections)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
