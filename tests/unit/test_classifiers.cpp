#include <gtest/gtest.h>

#include "point_list.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "classifiers/point_windows.h"
#include "declaration_check.h"

extern const Deliverable stillcull_deliverable;
extern const Deliverable moodcull_deliverable;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kUnwritten = -7.0; // what the output holds before a call

// Points are (x = column, y = row).

// A rows x cols plane of grey levels in [0, 256) with fractions, from a small
// linear congruential sequence.
std::vector<double> noise_plane(int rows, int cols, uint32_t seed) {
  std::vector<double> plane(static_cast<size_t>(rows) * cols);
  uint32_t state = seed;
  for (double &value : plane) {
    state = state * 1664525u + 1013904223u;
    value = static_cast<double>(state >> 8) / 65536.0; // 0 <= value < 256
  }
  return plane;
}

// Literal recomputation of the normal-fit distance of one window, written out
// from the definition: counts of truncated values, counts times 1/1681, mean
// and sample deviation with sums in row-outer order, then the density with
// 6.28318 for 2*pi.
double literal_fit_distance(const std::vector<double> &plane, int rows, int r0, int r1, int c0,
                            int c1) {
  double h[256] = {};
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      h[static_cast<int>(plane[r + static_cast<size_t>(c) * rows])] += 1.0;
  for (double &bin : h)
    bin = bin * 0.000594883997620464;
  double sum = 0.0;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      sum = sum + plane[r + static_cast<size_t>(c) * rows];
  const double mean = sum * 0.000594883997620464;
  double q = 0.0;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) {
      const double d = plane[r + static_cast<size_t>(c) * rows] - mean;
      q = q + d * d;
    }
  const double dev = std::sqrt(q * 0.0005952380952380953);
  const double two_var = dev * dev + dev * dev;
  const double coef = 1.0 / (std::sqrt(6.28318) * dev);
  double e = 0.0;
  for (int k = 0; k < 256; ++k) {
    const double d = k - mean;
    const double p = std::exp(-((d * d) / two_var)) * coef;
    e = e + (p - h[k]) * (p - h[k]);
  }
  return std::sqrt(e);
}

// Literal recomputation of the weighted similarity of one window of three planes.
double literal_score(const std::vector<double> *planes, int rows, int r0, int r1, int c0, int c1,
                     const double *w) {
  double h[3][256] = {};
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      for (int p = 0; p < 3; ++p)
        h[p][static_cast<int>(planes[p][r + static_cast<size_t>(c) * rows])] += 1.0;
  for (int p = 0; p < 3; ++p) {
    double s = 0.0;
    for (int k = 0; k < 256; ++k)
      s = s + h[p][k] * h[p][k];
    const double norm = std::sqrt(s);
    for (int k = 0; k < 256; ++k)
      h[p][k] = h[p][k] / norm;
  }
  double t0 = 0.0, t1 = 0.0, t2 = 0.0;
  for (int k = 0; k < 256; ++k) {
    t0 = t0 + h[0][k] * h[1][k];
    t1 = t1 + h[0][k] * h[2][k];
    t2 = t2 + h[1][k] * h[2][k];
  }
  return ((0.0 + w[0] * t0) + w[1] * t1) + w[2] * t2;
}

// --- stillcull ------------------------------------------------------------------

std::vector<double> fit_flags(const std::vector<double> &list, double n, const double *plane2,
                              double m, double k, double threshold, size_t outputs,
                              const double *plane0 = nullptr, const double *plane1 = nullptr) {
  std::vector<double> out(outputs, kUnwritten);
  flag_points_by_fit(list.data(), n, plane0, plane1, plane2, m, k, threshold, out.data());
  return out;
}

std::vector<double> fit_flags(const std::vector<Point> &points, const std::vector<double> &plane2,
                              int m, int k, double threshold) {
  return fit_flags(point_list(points), static_cast<double>(points.size()), plane2.data(), m, k,
                   threshold, points.size());
}

TEST(Declarations, ClassifiersMatchTheFrameTable) {
  expect_declaration_matches_frame(stillcull_deliverable);
  expect_declaration_matches_frame(moodcull_deliverable);
}

// In a 41 x 41 plane only the centre's window fits. Planes 0 and 1 are passed
// as null pointers: reading them would crash.
TEST(FlagPointsByFit, SmallestPlaneJudgesOnlyTheCentre) {
  const std::vector<double> plane = noise_plane(41, 41, 1);
  ASSERT_GT(literal_fit_distance(plane, 41, 0, 40, 0, 40), 0.0);
  const std::vector<Point> points = {{20, 20}, {20.9, 20.9}, {20, 21},   {21, 20},
                                     {19, 20}, {20, 19},     {-0.5, 20}, {20, -0.5}};
  EXPECT_EQ(fit_flags(points, plane, 41, 41, 0.0), (std::vector<double>{1, 1, 2, 2, 2, 2, 2, 2}));
  // Fractional sizes truncate: 41.9 is 41, so (21, 21) still does not fit.
  EXPECT_EQ(fit_flags(point_list({{20, 20}, {21, 21}}), 2, plane.data(), 41.9, 41.9, 0.0, 2),
            (std::vector<double>{1, 2}));
  // One row or column short: no window fits anywhere.
  EXPECT_EQ(fit_flags(points, plane, 40, 41, 0.0), std::vector<double>(8, 2.0));
  EXPECT_EQ(fit_flags(points, plane, 41, 40, 0.0), std::vector<double>(8, 2.0));
}

// The threshold tests against a literal recomputation of the window's distance:
// one step below it gives 1.0 and the distance itself gives 2.0, so the
// worker's distance must equal the literal one bit for bit.
TEST(FlagPointsByFit, DistanceAboveTheThresholdGivesOne) {
  const int rows = 50, cols = 47;
  const std::vector<double> plane = noise_plane(rows, cols, 7);
  const double d = literal_fit_distance(plane, rows, 3, 43, 4, 44); // point (24, 23)
  const struct {
    double threshold;
    double flag;
  } cases[] = {
      {std::nextafter(d, -kInf), 1.0},
      {d, 2.0},
      {std::nextafter(d, kInf), 2.0},
      {-1.0, 1.0},
      {-kInf, 1.0},
      {kInf, 2.0},
      {kNaN, 2.0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(fit_flags({{24, 23}}, plane, rows, cols, c.threshold)[0], c.flag) << c.threshold;
}

// A window of one value has deviation 0 and a NaN distance: 2.0 whatever the
// threshold. Every other judged point gets 1.0 under a negative threshold.
TEST(FlagPointsByFit, ConstantWindowGivesTwoWhateverTheThreshold) {
  const int rows = 41, cols = 82;
  std::vector<double> plane = noise_plane(rows, cols, 3);
  for (int i = 0; i < rows * 41; ++i)
    plane[i] = 37.5; // columns 0..40
  const std::vector<Point> points = {{20, 20}, {61, 20}, {62, 20}};
  for (double threshold : {0.0, -1.0, -kInf, 1.0, kNaN})
    EXPECT_EQ(fit_flags(points, plane, rows, cols, threshold)[0], 2.0) << threshold;
  EXPECT_EQ(fit_flags(points, plane, rows, cols, -1e-300), (std::vector<double>{2, 1, 2}));
}

// Only the first 2n values are the points, and the y column starts at n.
TEST(FlagPointsByFit, ReadsTheYColumnAtTheTruncatedCount) {
  const std::vector<double> plane = noise_plane(41, 41, 5);
  const struct {
    const char *label;
    std::vector<double> list;
    double n;
    std::vector<double> flags;
  } cases[] = {
      // 3 x 2 array, n = 2.7: y comes from indices 2 and 3, not 3 and 4.
      {"n = 2.7", {20, 20, 20, 20, 0, 0}, 2.7, {1, 1}},
      // 4 x 2 array, n = 2: y comes from indices 2 and 3, not 4 and 5.
      {"more rows than n", {20, 20, 20, 20, 0, 0, 0, 0}, 2, {1, 1}},
      {"one point of three rows", {20, 20, 0, 0, 0, 0}, 1, {1}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(fit_flags(c.list, c.n, plane.data(), 41, 41, 0.0, c.flags.size()), c.flags)
        << c.label;
}

// The coordinates that fit no plane: to_index saturates them, and the window
// test in 64 bits rejects them even against the largest M and K. The plane is
// a null pointer, so a read would crash. 2147483637 = INT32_MAX - 10 is the
// smallest x whose radius-10 window leaves even the widest plane; a 32-bit sum
// of INT32_MAX and a radius would wrap and let its window in.
const std::vector<Point> kNowherePoints = {
    {kNaN, 20},         {20, kNaN},         {kInf, 20},         {20, -kInf},
    {1e10, 20},         {20, -1e10},        {2147483647.0, 20}, {20, -2147483648.0},
    {-2147483649.0, 0}, {2147483637.0, 20}, {kNaN, kNaN},
};

TEST(FlagPointsByFit, CoordinatesBeyondAnyPlaneGiveTwoWithoutReading) {
  const std::vector<double> list = point_list(kNowherePoints);
  const size_t n = kNowherePoints.size();
  for (double size : {3e9, kInf, 2147483647.0})
    EXPECT_EQ(fit_flags(list, static_cast<double>(n), nullptr, size, size, -kInf, n),
              std::vector<double>(n, 2.0))
        << size;
}

TEST(FlagPointsByFit, WritesNothingWithoutPoints) {
  const std::vector<double> plane = noise_plane(41, 41, 1);
  const std::vector<double> list = point_list({{20, 20}});
  for (double n : {0.0, 0.9, -0.5, -3.0, kNaN, -kInf})
    EXPECT_EQ(fit_flags(list, n, plane.data(), 41, 41, 0.0, 1), std::vector<double>{kUnwritten})
        << n;
}

TEST(FlagPointsByFit, PlanesZeroAndOneHaveNoEffect) {
  const std::vector<double> plane = noise_plane(45, 45, 9);
  const std::vector<double> other = noise_plane(45, 45, 10);
  const std::vector<double> list = point_list({{20, 20}, {22, 24}, {23, 21}});
  const double d = literal_fit_distance(plane, 45, 4, 44, 2, 42); // point (22, 24)
  const std::vector<double> alone = fit_flags(list, 3, plane.data(), 45, 45, d, 3);
  EXPECT_EQ(alone[1], 2.0);
  EXPECT_EQ(fit_flags(list, 3, plane.data(), 45, 45, d, 3, other.data(), other.data()), alone);
}

// --- moodcull -------------------------------------------------------------------

struct ThreePlanes {
  std::vector<double> p[3];
};

ThreePlanes noise_planes(int rows, int cols, uint32_t seed) {
  return {{noise_plane(rows, cols, seed), noise_plane(rows, cols, seed + 1),
           noise_plane(rows, cols, seed + 2)}};
}

std::vector<double> similarity_flags(const std::vector<double> &list, double n,
                                     const ThreePlanes *planes, double m, double k,
                                     const std::vector<double> &weights, double threshold,
                                     size_t outputs) {
  std::vector<double> out(outputs, kUnwritten);
  const double *p0 = planes ? planes->p[0].data() : nullptr;
  const double *p1 = planes ? planes->p[1].data() : nullptr;
  const double *p2 = planes ? planes->p[2].data() : nullptr;
  flag_points_by_similarity(list.data(), n, p0, p1, p2, m, k, weights.data(), threshold,
                            out.data());
  return out;
}

std::vector<double> similarity_flags(const std::vector<Point> &points, const ThreePlanes &planes,
                                     int m, int k, const std::vector<double> &weights,
                                     double threshold) {
  return similarity_flags(point_list(points), static_cast<double>(points.size()), &planes, m, k,
                          weights, threshold, points.size());
}

TEST(FlagPointsBySimilarity, SmallestPlanesJudgeOnlyTheCentre) {
  const ThreePlanes planes = noise_planes(21, 21, 20);
  const std::vector<double> w = {0.25, 0.5, 0.125};
  const double s = literal_score(planes.p, 21, 0, 20, 0, 20, w.data());
  const std::vector<Point> points = {{10, 10}, {10.9, 10.9}, {10, 11},   {11, 10},
                                     {9, 10},  {10, 9},      {-0.5, 10}, {10, -0.5}};
  EXPECT_EQ(similarity_flags(points, planes, 21, 21, w, std::nextafter(s, kInf)),
            (std::vector<double>{1, 1, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(similarity_flags(points, planes, 20, 21, w, kInf), std::vector<double>(8, 2.0));
  EXPECT_EQ(similarity_flags(points, planes, 21, 20, w, kInf), std::vector<double>(8, 2.0));
}

// Against a literal recomputation of the score: the score itself gives 2.0 and
// one step above it 1.0, so the worker's score must match bit for bit.
TEST(FlagPointsBySimilarity, ScoreReachingTheThresholdGivesTwo) {
  const int rows = 30, cols = 33;
  const ThreePlanes planes = noise_planes(rows, cols, 30);
  const std::vector<double> w = {0.25, 0.5, 0.125};
  const double s = literal_score(planes.p, rows, 2, 22, 5, 25, w.data()); // point (15, 12)
  ASSERT_GT(s, 0.0);
  const struct {
    double threshold;
    double flag;
  } cases[] = {
      {s, 2.0},
      {std::nextafter(s, -kInf), 2.0},
      {std::nextafter(s, kInf), 1.0},
      {kNaN, 1.0},
      {-kInf, 2.0},
      {kInf, 1.0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(similarity_flags({{15, 12}}, planes, rows, cols, w, c.threshold)[0], c.flag)
        << c.threshold;
}

TEST(FlagPointsBySimilarity, WeightsDecideTheScore) {
  const ThreePlanes noise = noise_planes(21, 21, 40);
  const std::vector<double> one = noise_plane(21, 21, 50);
  const ThreePlanes same = {{one, one, one}};
  // Planes 0 and 1 share no bin: plane 0 holds 0..99.x, plane 1 holds 100..199.x.
  ThreePlanes disjoint = noise;
  for (size_t i = 0; i < one.size(); ++i) {
    disjoint.p[0][i] = std::fmod(one[i], 100.0);
    disjoint.p[1][i] = 100.0 + std::fmod(one[i], 100.0);
  }
  const struct {
    const char *label;
    const ThreePlanes *planes;
    std::vector<double> weights;
    double threshold;
    double flag;
  } cases[] = {
      {"zero weights, threshold 0", &noise, {0, 0, 0}, 0.0, 2.0},
      {"zero weights, tiny threshold", &noise, {0, 0, 0}, 1e-300, 1.0},
      {"identical planes", &same, {1, 1, 1}, 2.5, 2.0},
      {"identical planes, threshold 3.5", &same, {1, 1, 1}, 3.5, 1.0},
      {"disjoint, T0 exactly 0", &disjoint, {1, 0, 0}, 0.0, 2.0},
      {"disjoint, tiny threshold", &disjoint, {1, 0, 0}, 1e-300, 1.0},
      {"NaN w0", &noise, {kNaN, 1, 1}, -kInf, 1.0},
      {"NaN w1", &noise, {1, kNaN, 1}, -kInf, 1.0},
      {"NaN w2", &noise, {1, 1, kNaN}, -kInf, 1.0},
      {"only three weights read", &noise, {0, 0, 0, kNaN}, 0.0, 2.0},
  };
  for (const auto &c : cases) {
    const std::vector<Point> points = {{10, 10}, {10, 11}};
    EXPECT_EQ(similarity_flags(points, *c.planes, 21, 21, c.weights, c.threshold),
              (std::vector<double>{c.flag, 2.0}))
        << c.label;
  }
}

TEST(FlagPointsBySimilarity, NaNThresholdGivesOneInsideAndTwoOutside) {
  const ThreePlanes planes = noise_planes(25, 25, 60);
  EXPECT_EQ(
      similarity_flags({{10, 10}, {14, 14}, {15, 14}, {3, 12}}, planes, 25, 25, {1, 1, 1}, kNaN),
      (std::vector<double>{1, 1, 2, 2}));
}

TEST(FlagPointsBySimilarity, ReadsTheYColumnAtTheTruncatedCount) {
  const ThreePlanes planes = noise_planes(21, 21, 70);
  const std::vector<double> w = {1, 1, 1};
  EXPECT_EQ(similarity_flags({10, 10, 10, 10, 0, 0}, 2.7, &planes, 21, 21, w, kInf, 2),
            (std::vector<double>{1, 1}));
  EXPECT_EQ(similarity_flags({10, 10, 10, 10, 0, 0, 0, 0}, 2, &planes, 21, 21, w, kInf, 2),
            (std::vector<double>{1, 1}));
}

TEST(FlagPointsBySimilarity, CoordinatesBeyondAnyPlaneGiveTwoWithoutReading) {
  const std::vector<double> list = point_list(kNowherePoints);
  const size_t n = kNowherePoints.size();
  for (double size : {3e9, kInf, 2147483647.0})
    EXPECT_EQ(
        similarity_flags(list, static_cast<double>(n), nullptr, size, size, {1, 1, 1}, kInf, n),
        std::vector<double>(n, 2.0))
        << size;
}

TEST(FlagPointsBySimilarity, WritesNothingWithoutPoints) {
  const ThreePlanes planes = noise_planes(21, 21, 80);
  const std::vector<double> list = point_list({{10, 10}});
  for (double n : {0.0, 0.9, -0.5, -3.0, kNaN, -kInf})
    EXPECT_EQ(similarity_flags(list, n, &planes, 21, 21, {1, 1, 1}, 0.0, 1),
              std::vector<double>{kUnwritten})
        << n;
}

} // namespace
