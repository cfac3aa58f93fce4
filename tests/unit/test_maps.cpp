#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "declaration_check.h"
#include "maps/dense_maps.h"

extern const Deliverable anchorfield_deliverable;
extern const Deliverable vigorfield_deliverable;
extern const Deliverable vigorsheet_deliverable;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

using Worker = void (*)(const double *, const double *, const double *, double, double,
                        const double *, double, double *);
using PathWorker = void (*)(MapPath, const double *, const double *, const double *, double, double,
                            const double *, double, double *);

// What each map is, restated here for the independent recomputation.
struct MapKind {
  const char *name;
  Worker worker;
  PathWorker on_path;
  int radius, border;
  double inv_n, inv_n1, fill;
};
const MapKind kAnchor = {"anchorfield",
                         build_anchor_map,
                         build_anchor_map_on,
                         5,
                         5,
                         0.008264462809917356,
                         0.008333333333333333,
                         0.5};
const MapKind kVigor = {"vigorfield", build_vigor_map,     build_vigor_map_on,   3,
                        10,           0.02040816326530612, 0.020833333333333332, 1.0};
const MapKind kSheet = {"vigorsheet",
                        build_vigor_score_map,
                        build_vigor_score_map_on,
                        5,
                        5,
                        0.008264462809917356,
                        0.008333333333333333,
                        1.0};
const MapKind *const kMaps[] = {&kAnchor, &kVigor, &kSheet};

struct Planes {
  int64_t rows = 0, cols = 0;
  std::vector<double> p[3];
  double at(int plane, int64_t r, int64_t c) const { return p[plane][r + c * rows]; }
};

Planes filled_planes(int64_t rows, int64_t cols, double value) {
  Planes planes;
  planes.rows = rows;
  planes.cols = cols;
  for (std::vector<double> &plane : planes.p)
    plane.assign(rows * cols, value);
  return planes;
}

// A guard past the output's end catches any write beyond m*n elements.
const double kGuard = -12345.5;
const int kGuardCount = 8;

std::vector<double> run_map(Worker worker, const Planes &planes, double M, double N,
                            std::array<double, 3> weights, double threshold,
                            int64_t elements = -1) {
  if (elements < 0)
    elements = static_cast<int64_t>(M) * static_cast<int64_t>(N);
  std::vector<double> out(elements + kGuardCount, kGuard);
  worker(planes.p[0].data(), planes.p[1].data(), planes.p[2].data(), M, N, weights.data(),
         threshold, out.data());
  for (int g = 0; g < kGuardCount; ++g)
    EXPECT_EQ(out[elements + g], kGuard) << "written past the output";
  out.resize(elements);
  return out;
}

// --- An independent literal recomputation of one window --------------------------

struct ReferenceWindow {
  double score, mean, dev, distance;
};

ReferenceWindow reference_window(const MapKind &kind, const Planes &planes, int64_t i, int64_t j,
                                 const std::array<double, 3> &w) {
  const int64_t r0 = i - kind.radius, r1 = i + kind.radius;
  const int64_t c0 = j - kind.radius, c1 = j + kind.radius;
  std::array<std::array<double, 256>, 3> h{};
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c)
      for (int p = 0; p < 3; ++p)
        h[p][static_cast<int>(planes.at(p, r, c))] += 1.0; // in-range values: the cast truncates
  std::array<double, 256> fit;
  for (int k = 0; k < 256; ++k)
    fit[k] = h[2][k] * kind.inv_n;
  double norm[3];
  for (int p = 0; p < 3; ++p) {
    double s = 0.0;
    for (int k = 0; k < 256; ++k)
      s += h[p][k] * h[p][k];
    norm[p] = std::sqrt(s);
  }
  for (int p = 0; p < 3; ++p)
    for (int k = 0; k < 256; ++k)
      h[p][k] /= norm[p];
  double t0 = 0.0, t1 = 0.0, t2 = 0.0;
  for (int k = 0; k < 256; ++k) {
    t0 += h[0][k] * h[1][k];
    t1 += h[0][k] * h[2][k];
    t2 += h[1][k] * h[2][k];
  }
  ReferenceWindow result;
  result.score = ((0.0 + w[0] * t0) + w[1] * t1) + w[2] * t2;
  double s = 0.0;
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c)
      s += planes.at(2, r, c);
  result.mean = s * kind.inv_n;
  double q = 0.0;
  for (int64_t r = r0; r <= r1; ++r)
    for (int64_t c = c0; c <= c1; ++c) {
      const double d = planes.at(2, r, c) - result.mean;
      q += d * d;
    }
  result.dev = std::sqrt(q * kind.inv_n1);
  const double two_var = 2.0 * result.dev * result.dev;
  const double coef = 1.0 / (std::sqrt(6.28318) * result.dev);
  double e = 0.0;
  for (int k = 0; k < 256; ++k) {
    const double d = k - result.mean;
    const double p = std::exp(-(d * d / two_var)) * coef;
    e += (p - fit[k]) * (p - fit[k]);
  }
  result.distance = std::sqrt(e);
  return result;
}

// The value each map gives a centre whose window is `r` (dev above 0).
double reference_decision(const MapKind &kind, const ReferenceWindow &r, double threshold,
                          double fill) {
  if (&kind == &kAnchor) {
    if (r.dev < 2.0)
      return 1.0;
    if (!(r.score >= threshold) || r.distance > 0.15)
      return -1.0;
    return fill;
  }
  if (&kind == &kVigor)
    return !(r.score >= threshold) && r.distance > 0.15 && r.dev > 2.0 ? 0.5 : fill;
  return !(r.score >= threshold) ? 1.0 - r.distance : fill;
}

std::vector<double> reference_map(const MapKind &kind, const Planes &planes,
                                  const std::array<double, 3> &w, double threshold) {
  std::vector<double> map(planes.rows * planes.cols, kind.fill);
  for (int64_t j = kind.border; j < planes.cols - kind.border; ++j)
    for (int64_t i = kind.border; i < planes.rows - kind.border; ++i) {
      const ReferenceWindow r = reference_window(kind, planes, i, j, w);
      if (r.dev != 0.0)
        map[i + j * planes.rows] = reference_decision(kind, r, threshold, kind.fill);
    }
  return map;
}

// --- Test images -----------------------------------------------------------------

// Patches larger than a window, of the kinds of windows the decisions tell
// apart: constant whole numbers, a grey level with rare neighbours, rounded
// normal noise, fractional noise near both ends of the range, uniform noise.
// Windows that straddle patches mix them.
Planes mixed_planes(int64_t rows, int64_t cols, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::normal_distribution<double> bell(120.0, 3.0);
  Planes planes;
  planes.rows = rows;
  planes.cols = cols;
  for (int p = 0; p < 3; ++p) {
    planes.p[p].resize(rows * cols);
    for (int64_t c = 0; c < cols; ++c)
      for (int64_t r = 0; r < rows; ++r) {
        const int64_t patch = (r / 14 + 2 * (c / 13) + p * (seed % 3)) % 6;
        double v = 0.0;
        switch (patch) {
        case 0:
          v = 100.0;
          break;
        case 1:
          v = unit(random) < 0.03 ? 101.0 : 100.0;
          break;
        case 2:
          v = std::round(bell(random));
          break;
        case 3:
          v = -0.99 + unit(random) * 6.0;
          break;
        case 4:
          v = 255.999 - unit(random) * 4.0;
          break;
        default:
          v = std::floor(unit(random) * 256.0);
        }
        planes.p[p][r + c * rows] = v;
      }
  }
  return planes;
}

Planes uniform_random_planes(int64_t rows, int64_t cols, uint32_t seed, bool fractional) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Planes planes;
  planes.rows = rows;
  planes.cols = cols;
  for (std::vector<double> &plane : planes.p) {
    plane.resize(rows * cols);
    for (double &v : plane)
      v = fractional ? -0.999 + unit(random) * 256.998 : std::floor(unit(random) * 256.0);
  }
  return planes;
}

// --- Declarations and sizes --------------------------------------------------------

TEST(MapDeclarations, MatchTheFrameTable) {
  expect_declaration_matches_frame(anchorfield_deliverable);
  expect_declaration_matches_frame(vigorfield_deliverable);
  expect_declaration_matches_frame(vigorsheet_deliverable);
}

// Too small for any window: the whole map is the fill value, and neither the
// planes nor the weights are read (they are null here).
TEST(Maps, SizesWithoutWindowsGiveTheFillOnly) {
  const struct {
    const MapKind *kind;
    double M, N;
  } cases[] = {
      {&kAnchor, 10.9, 11}, {&kAnchor, 11, 10},   {&kAnchor, 1, 1},   {&kAnchor, 200, 3.5},
      {&kVigor, 20, 500},   {&kVigor, 21, 20.9},  {&kVigor, 500, 20}, {&kVigor, 11, 11},
      {&kSheet, 10, 11},    {&kSheet, 11, 10.99}, {&kSheet, 0.5, 40}, {&kSheet, 7, 7},
  };
  for (const auto &c : cases) {
    const int64_t elements = static_cast<int64_t>(c.M) * static_cast<int64_t>(c.N);
    std::vector<double> out(elements + kGuardCount, kGuard);
    c.kind->worker(nullptr, nullptr, nullptr, c.M, c.N, nullptr, 0.5, out.data());
    for (int64_t e = 0; e < elements; ++e)
      ASSERT_EQ(out[e], c.kind->fill) << c.kind->name << " " << c.M << "x" << c.N << " @" << e;
    for (int g = 0; g < kGuardCount; ++g)
      EXPECT_EQ(out[elements + g], kGuard) << c.kind->name << " " << c.M << "x" << c.N;
  }
}

// Negative and NaN sizes give an empty map: nothing is written or read.
TEST(Maps, NegativeOrNaNSizesWriteNothing) {
  const double sizes[][2] = {{-1, 30},    {30, -0.5 - 1}, {kNaN, 30}, {30, kNaN},
                             {-kInf, 30}, {-30, -30},     {0, 30},    {0.99, 30}};
  for (const MapKind *kind : kMaps)
    for (const auto &size : sizes) {
      std::vector<double> out(kGuardCount, kGuard);
      kind->worker(nullptr, nullptr, nullptr, size[0], size[1], nullptr, 0.5, out.data());
      for (double value : out)
        EXPECT_EQ(value, kGuard) << kind->name << " " << size[0] << "x" << size[1];
    }
}

// Sizes are truncated toward zero: 11.7 x 21.2 reads and writes as 11 x 21.
TEST(Maps, FractionalSizesTruncate) {
  const Planes planes = mixed_planes(21, 21, 7); // 11 x 21 is a prefix of its storage
  Planes rows11 = planes;
  rows11.rows = 11;
  for (int p = 0; p < 3; ++p) {
    rows11.p[p].clear();
    for (int64_t c = 0; c < 21; ++c)
      for (int64_t r = 0; r < 11; ++r)
        rows11.p[p].push_back(planes.at(p, r, c));
  }
  for (const MapKind *kind : {&kAnchor, &kSheet}) {
    const std::vector<double> whole = run_map(kind->worker, rows11, 11, 21, {1, 1, 1}, 2.5);
    const std::vector<double> fractional =
        run_map(kind->worker, rows11, 11.7, 21.2, {1, 1, 1}, 2.5, 11 * 21);
    EXPECT_EQ(fractional, whole) << kind->name;
    EXPECT_EQ(whole, reference_map(*kind, rows11, {1, 1, 1}, 2.5)) << kind->name;
  }
  const std::vector<double> vigor =
      run_map(build_vigor_map, planes, 21.99, 21.5, {1, 0, 0}, kInf, 21 * 21);
  EXPECT_EQ(vigor, reference_map(kVigor, planes, {1, 0, 0}, kInf));
}

// --- Whole maps against the independent recomputation --------------------------

TEST(Maps, MatchALiteralRecomputationAndKeepTheBorder) {
  const struct {
    int64_t rows, cols;
    uint32_t seed;
    std::array<double, 3> weights;
    double threshold;
  } cases[] = {
      {44, 43, 1, {1, 1, 1}, 2.5},    {44, 43, 2, {0.5, 0.25, 2}, 1.2},
      {51, 47, 3, {1, 0, 0}, 0.4},    {33, 60, 4, {1, 1, 1}, 2.9},
      {60, 33, 5, {0, 1, -1}, -0.05}, {36, 36, 6, {1, 1, 1}, kNaN},
      {40, 35, 8, {1, kNaN, 1}, 0.5}, {35, 40, 9, {2, 2, 2}, -kInf},
      {24, 23, 10, {1, 1, 1}, 1.8},
  };
  std::map<std::string, std::set<double>> interior_outcomes;
  for (const auto &c : cases) {
    const Planes planes = mixed_planes(c.rows, c.cols, c.seed);
    for (const MapKind *kind : kMaps) {
      const std::vector<double> map =
          run_map(kind->worker, planes, c.rows, c.cols, c.weights, c.threshold);
      ASSERT_EQ(map, reference_map(*kind, planes, c.weights, c.threshold))
          << kind->name << " seed " << c.seed;
      for (int64_t col = 0; col < c.cols; ++col)
        for (int64_t row = 0; row < c.rows; ++row) {
          const bool border = row < kind->border || row >= c.rows - kind->border ||
                              col < kind->border || col >= c.cols - kind->border;
          const double value = map[row + col * c.rows];
          if (border) {
            EXPECT_EQ(value, kind->fill) << kind->name << " " << row << "," << col;
          } else {
            interior_outcomes[kind->name].insert(
                value == 1.0 || value == -1.0 || value == 0.5 ? value : 0.0 /* 1 - distance */);
          }
        }
    }
  }
  // The images must reach every outcome of every map away from the border.
  EXPECT_EQ(interior_outcomes["anchorfield"], (std::set<double>{-1.0, 0.5, 1.0}));
  EXPECT_EQ(interior_outcomes["vigorfield"], (std::set<double>{0.5, 1.0}));
  EXPECT_EQ(interior_outcomes["vigorsheet"], (std::set<double>{0.0, 1.0}));
}

// Only the evaluated windows are read: vigorfield's outer 7 rows and columns
// can hold anything.
TEST(Maps, VigorfieldNeverReadsItsOuterSevenRowsAndColumns) {
  const int64_t rows = 29, cols = 26;
  Planes planes = mixed_planes(rows, cols, 11);
  const std::array<double, 3> weights = {1, 1, 1};
  const std::vector<double> before = run_map(build_vigor_map, planes, rows, cols, weights, kInf);
  int marked_near_the_border = 0;
  for (int64_t r = 10; r < rows - 10; ++r)
    marked_near_the_border += (before[r + 10 * rows] == 0.5) + (before[10 + r * rows] == 0.5);
  ASSERT_GT(marked_near_the_border, 0) << "the fixture must reach the outermost centres";
  for (std::vector<double> &plane : planes.p)
    for (int64_t c = 0; c < cols; ++c)
      for (int64_t r = 0; r < rows; ++r)
        if (r < 7 || r >= rows - 7 || c < 7 || c >= cols - 7)
          plane[r + c * rows] = kNaN;
  EXPECT_EQ(run_map(build_vigor_map, planes, rows, cols, weights, kInf), before);
}

// --- Crafted windows: every branch and every tie -----------------------------------

struct ValueRun {
  double value;
  int count;
};

// The smallest map (11 x 11, or 21 x 21 for vigorfield) with plane 2's window
// about the one centre holding `runs` in window order; planes 0 and 1 equal
// plane 2. Pixels outside the window hold 0.
Planes one_window(const MapKind &kind, const std::vector<ValueRun> &runs) {
  const int64_t side = 2 * kind.border + 1;
  const int64_t window = 2 * kind.radius + 1;
  Planes planes = filled_planes(side, side, 0.0);
  std::vector<double> values;
  for (const ValueRun &run : runs)
    values.insert(values.end(), run.count, run.value);
  EXPECT_EQ(static_cast<int64_t>(values.size()), window * window);
  const int64_t first = kind.border - kind.radius;
  size_t next = 0;
  for (int64_t r = first; r < first + window; ++r)
    for (int64_t c = first; c < first + window; ++c, ++next)
      for (std::vector<double> &plane : planes.p)
        plane[r + c * side] = values.at(next);
  return planes;
}

// The one centre's value; every other element must keep the fill.
double centre_value(const MapKind &kind, const Planes &planes, std::array<double, 3> weights,
                    double threshold) {
  const std::vector<double> map =
      run_map(kind.worker, planes, planes.rows, planes.cols, weights, threshold);
  const int64_t centre = kind.border + kind.border * planes.rows;
  for (int64_t e = 0; e < static_cast<int64_t>(map.size()); ++e)
    if (e != centre) {
      EXPECT_EQ(map[e], kind.fill) << kind.name << " element " << e;
    }
  return map[centre];
}

ReferenceWindow centre_reference(const MapKind &kind, const Planes &planes,
                                 std::array<double, 3> weights) {
  return reference_window(kind, planes, kind.border, kind.border, weights);
}

// 121-value windows (mean 100 exactly in each).
const std::vector<ValueRun> kFlat121 = {{100, 121}};
const std::vector<ValueRun> kRare121 = {{100, 120}, {101, 1}};         // dev about 0.09
const std::vector<ValueRun> kTwo121 = {{98, 60}, {102, 60}, {100, 1}}; // dev exactly 2
const std::vector<ValueRun> kBell121 = {{94, 1},  {95, 2},   {96, 4},   {97, 9},   {98, 15},
                                        {99, 19}, {100, 21}, {101, 19}, {102, 15}, {103, 9},
                                        {104, 4}, {105, 2},  {106, 1}}; // dev 2.27, near its normal
                                                                        // density
const std::vector<ValueRun> kWide121 = {{0, 60}, {200, 61}}; // dev about 100, far from normal
const std::vector<ValueRun> kFraction121 = {{100.5, 120}, {100.7, 1}};
// 49-value windows (mean 80 exactly in each).
const std::vector<ValueRun> kFlat49 = {{80, 49}};
const std::vector<ValueRun> kTwo49 = {{78, 24}, {82, 24}, {80, 1}}; // dev exactly 2
const std::vector<ValueRun> kBell49 = {{75, 1}, {76, 2}, {77, 4}, {78, 6}, {79, 7}, {80, 9},
                                       {81, 7}, {82, 6}, {83, 4}, {84, 2}, {85, 1}};
const std::vector<ValueRun> kWide49 = {{0, 24}, {200, 25}};

TEST(Maps, FixtureWindowsHaveTheStatisticsTheyAreNamedFor) {
  const std::array<double, 3> w = {1, 1, 1};
  const ReferenceWindow two121 = centre_reference(kAnchor, one_window(kAnchor, kTwo121), w);
  EXPECT_EQ(two121.dev, 2.0);
  EXPECT_GT(two121.distance, 0.15);
  const ReferenceWindow two49 = centre_reference(kVigor, one_window(kVigor, kTwo49), w);
  EXPECT_EQ(two49.dev, 2.0);
  EXPECT_GT(two49.distance, 0.15);
  const ReferenceWindow bell121 = centre_reference(kAnchor, one_window(kAnchor, kBell121), w);
  EXPECT_GT(bell121.dev, 2.0);
  EXPECT_LT(bell121.distance, 0.15);
  const ReferenceWindow bell49 = centre_reference(kVigor, one_window(kVigor, kBell49), w);
  EXPECT_GT(bell49.dev, 2.0);
  EXPECT_LT(bell49.distance, 0.15);
  const ReferenceWindow rare = centre_reference(kAnchor, one_window(kAnchor, kRare121), w);
  EXPECT_GT(rare.dev, 0.0);
  EXPECT_LT(rare.dev, 2.0);
  EXPECT_GT(rare.distance, 3.0);
  EXPECT_GT(centre_reference(kVigor, one_window(kVigor, kWide49), w).distance, 0.15);
  EXPECT_GT(centre_reference(kAnchor, one_window(kAnchor, kWide121), w).distance, 0.15);
}

struct BranchCase {
  const char *label;
  const MapKind *kind;
  const std::vector<ValueRun> *window;
  double threshold;
  std::array<double, 3> weights;
  double expected; // NaN: 1 - the window's distance
};

TEST(Maps, EachDecisionOnACraftedWindow) {
  const double minus_distance = kNaN;
  const BranchCase cases[] = {
      // anchorfield: first rule that applies wins.
      {"flat keeps the fill whatever the score", &kAnchor, &kFlat121, kInf, {1, 1, 1}, 0.5},
      {"flat, NaN threshold", &kAnchor, &kFlat121, kNaN, {1, 1, 1}, 0.5},
      {"small deviation wins over the score", &kAnchor, &kRare121, kInf, {1, 1, 1}, 1.0},
      {"fractional values, small deviation", &kAnchor, &kFraction121, kInf, {1, 1, 1}, 1.0},
      {"small deviation, NaN threshold", &kAnchor, &kRare121, kNaN, {1, 1, 1}, 1.0},
      {"deviation exactly 2 goes on: not similar", &kAnchor, &kTwo121, kInf, {1, 1, 1}, -1.0},
      {"deviation exactly 2 goes on: far from normal", &kAnchor, &kTwo121, -kInf, {1, 1, 1}, -1.0},
      {"similar and near normal keeps the fill", &kAnchor, &kBell121, -kInf, {1, 1, 1}, 0.5},
      {"not similar", &kAnchor, &kBell121, kInf, {1, 1, 1}, -1.0},
      {"NaN threshold fails the similarity", &kAnchor, &kBell121, kNaN, {1, 1, 1}, -1.0},
      {"NaN weight fails the similarity", &kAnchor, &kBell121, -kInf, {1, kNaN, 1}, -1.0},
      {"similar but far from normal", &kAnchor, &kWide121, -kInf, {1, 1, 1}, -1.0},
      // vigorfield: 0.5 only when all three hold.
      {"all three hold", &kVigor, &kWide49, kInf, {1, 1, 1}, 0.5},
      {"similar enough", &kVigor, &kWide49, -kInf, {1, 1, 1}, 1.0},
      {"NaN threshold passes the score test", &kVigor, &kWide49, kNaN, {1, 1, 1}, 0.5},
      {"NaN weight passes the score test", &kVigor, &kWide49, -kInf, {kNaN, 1, 1}, 0.5},
      {"near normal", &kVigor, &kBell49, kInf, {1, 1, 1}, 1.0},
      {"deviation exactly 2 is not above 2", &kVigor, &kTwo49, kInf, {1, 1, 1}, 1.0},
      {"flat", &kVigor, &kFlat49, kInf, {1, 1, 1}, 1.0},
      // vigorsheet: 1 - distance below the threshold.
      {"below the threshold", &kSheet, &kBell121, kInf, {1, 1, 1}, minus_distance},
      {"far from normal", &kSheet, &kWide121, kInf, {1, 1, 1}, minus_distance},
      {"not below the threshold", &kSheet, &kWide121, -kInf, {1, 1, 1}, 1.0},
      {"NaN threshold", &kSheet, &kWide121, kNaN, {1, 1, 1}, minus_distance},
      {"NaN weight", &kSheet, &kBell121, -kInf, {1, 1, kNaN}, minus_distance},
      {"flat keeps 1 whatever the score", &kSheet, &kFlat121, kInf, {1, 1, 1}, 1.0},
  };
  for (const BranchCase &c : cases) {
    const Planes planes = one_window(*c.kind, *c.window);
    const double value = centre_value(*c.kind, planes, c.weights, c.threshold);
    const double expected = std::isnan(c.expected)
                                ? 1.0 - centre_reference(*c.kind, planes, c.weights).distance
                                : c.expected;
    EXPECT_EQ(value, expected) << c.kind->name << ": " << c.label;
  }
}

// One rare neighbour among 120 equal values: a tiny deviation, a tall fitted
// density, a distance above 3.
TEST(Maps, VigorsheetOfANearlyFlatWindowFallsBelowMinusTwo) {
  const Planes planes = one_window(kSheet, kRare121);
  EXPECT_LT(centre_value(kSheet, planes, {1, 1, 1}, kInf), -2.0);
}

// A score equal to the threshold is not below it; one step up it is.
TEST(Maps, ScoreEqualToTheThreshold) {
  const struct {
    const MapKind *kind;
    const std::vector<ValueRun> *window;
    double at_threshold, just_above; // NaN: 1 - distance
  } cases[] = {
      {&kAnchor, &kBell121, 0.5, -1.0},
      {&kVigor, &kWide49, 1.0, 0.5},
      {&kSheet, &kBell121, 1.0, kNaN},
  };
  // Planes 0 and 1 differ from plane 2 so that the score is not a round number.
  for (const auto &c : cases)
    for (const std::array<double, 3> &w :
         {std::array<double, 3>{1, 1, 1}, std::array<double, 3>{0.3, 0.7, 0.1}}) {
      Planes planes = one_window(*c.kind, *c.window);
      for (double &v : planes.p[0])
        v = std::fmod(v * 1.37, 255.0);
      for (double &v : planes.p[1])
        v = 255.0 - v;
      const ReferenceWindow r = centre_reference(*c.kind, planes, w);
      ASSERT_TRUE(std::isfinite(r.score));
      EXPECT_EQ(centre_value(*c.kind, planes, w, r.score), c.at_threshold) << c.kind->name;
      const double above = std::isnan(c.just_above) ? 1.0 - r.distance : c.just_above;
      EXPECT_EQ(centre_value(*c.kind, planes, w, std::nextafter(r.score, kInf)), above)
          << c.kind->name;
    }
}

// Three identical planes: T0 = T1 = T2 = 1 within rounding, so the score is
// the weights' sum within rounding.
TEST(Maps, IdenticalPlanesScoreTheWeightSum) {
  const Planes planes = one_window(kAnchor, kBell121);
  const ReferenceWindow r = centre_reference(kAnchor, planes, {0.5, 0.25, 2});
  EXPECT_NEAR(r.score, 2.75, 1e-14);
  EXPECT_EQ(centre_value(kAnchor, planes, {0.5, 0.25, 2}, 2.75 - 1e-12), 0.5);
  EXPECT_EQ(centre_value(kAnchor, planes, {0.5, 0.25, 2}, 2.75 + 1e-12), -1.0);
}

// --- The fast path against the literal one, bit for bit ---------------------------

// The fast path leaves out exp where its argument lies below -746, counting on
// the C library's exp giving exactly 0 there.
TEST(MapsFastPath, ExpBelowMinus746IsExactlyZero) {
  for (double x = -746.0; x > -800.0; x -= 0.001)
    ASSERT_EQ(std::exp(x), 0.0) << x;
  ASSERT_GT(std::exp(-745.0), 0.0);
}

bool same_bits(const std::vector<double> &a, const std::vector<double> &b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The normal-fit distance from raw counts, against the literal kernel on
// histograms and deviations from wide to tiny (where most densities vanish).
TEST(MapsFastPath, FitDistanceFromCountsMatchesTheKernel) {
  std::mt19937 random(99);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int trial = 0; trial < 3000; ++trial) {
    int32_t counts[256] = {};
    const int pixels = trial % 2 == 0 ? 121 : 49;
    const double inv_n = pixels == 121 ? 0.008264462809917356 : 0.02040816326530612;
    const double centre = unit(random) * 255.0;
    const double spread = std::pow(10.0, -3.0 + 5.5 * unit(random));
    for (int i = 0; i < pixels; ++i) {
      const double v = centre + spread * (unit(random) - 0.5);
      counts[std::min(255, std::max(0, static_cast<int>(v)))] += 1;
    }
    Histogram256 fit;
    for (int k = 0; k < 256; ++k)
      fit[k] = counts[k] * inv_n;
    const double mean = centre + (unit(random) - 0.5) * spread * 0.1;
    const double dev = spread * (0.05 + unit(random));
    const double literal = gaussian_fit_distance(fit, mean, dev);
    const double fast = fit_distance_from_counts(counts, inv_n, mean, dev);
    ASSERT_EQ(std::memcmp(&literal, &fast, sizeof literal), 0)
        << "mean " << mean << " dev " << dev << ": " << literal << " vs " << fast;
  }
  // Zero deviation gives NaN on both paths.
  int32_t counts[256] = {};
  counts[37] = 121;
  EXPECT_TRUE(std::isnan(fit_distance_from_counts(counts, 0.008264462809917356, 37.0, 0.0)));
}

// Whole maps on both paths, over images of every kind and many thresholds
// (picked about the scores that occur, so that decisions go both ways).
TEST(MapsFastPath, MatchesTheLiteralPathBitForBit) {
  std::mt19937 random(2026);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int compared = 0;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    const int64_t rows = 21 + static_cast<int64_t>(unit(random) * 20);
    const int64_t cols = 21 + static_cast<int64_t>(unit(random) * 20);
    const Planes planes = seed % 3 == 0   ? mixed_planes(rows, cols, seed)
                          : seed % 3 == 1 ? uniform_random_planes(rows, cols, seed, true)
                                          : uniform_random_planes(rows, cols, seed, false);
    const std::array<double, 3> weight_sets[] = {
        {1, 1, 1}, {unit(random), unit(random), unit(random)}, {1, kNaN, 0}, {-1, 2, 0.5}};
    for (const std::array<double, 3> &w : weight_sets)
      for (const double threshold : {unit(random) * 3.0, unit(random), kNaN, kInf, -kInf})
        for (const MapKind *kind : kMaps) {
          std::vector<double> literal(rows * cols), fast(rows * cols);
          kind->on_path(MapPath::Literal, planes.p[0].data(), planes.p[1].data(),
                        planes.p[2].data(), rows, cols, w.data(), threshold, literal.data());
          kind->on_path(MapPath::Fast, planes.p[0].data(), planes.p[1].data(), planes.p[2].data(),
                        rows, cols, w.data(), threshold, fast.data());
          ASSERT_TRUE(same_bits(literal, fast)) << kind->name << " seed " << seed << " " << rows
                                                << "x" << cols << " threshold " << threshold;
          ++compared;
        }
  }
  EXPECT_EQ(compared, 12 * 4 * 5 * 3);
}

} // namespace
