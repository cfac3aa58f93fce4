#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "window_stats/window_stats.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The bins a histogram holds something in, as (bin, count) pairs.
std::vector<std::pair<int, double>> occupied_bins(const Histogram256 &h) {
  std::vector<std::pair<int, double>> bins;
  for (int b = 0; b < kBins; ++b)
    if (h[b] != 0.0)
      bins.push_back({b, h[b]});
  return bins;
}

// Bins are truncated toward zero; values above -1 and below 0 land in bin 0.
TEST(AccumulateHistograms, TruncatesEachValueIntoItsBin) {
  const struct {
    double value;
    int bin;
  } cases[] = {{-0.5, 0},    {-0.999, 0},  {0.0, 0},          {0.999, 0},
               {1.0, 1},     {37.9, 37},   {37.0, 37},        {128.5, 128},
               {255.0, 255}, {255.9, 255}, {255.999999, 255}, {1e-300, 0}};
  for (const auto &c : cases) {
    // The value sits at (1, 2) of a 3 x 4 plane; every other pixel lies outside
    // the one-pixel window and holds a value that would land elsewhere.
    std::vector<double> plane(12, 200.0);
    plane[1 + 2 * 3] = c.value;
    const double *planes[1] = {plane.data()};
    Histogram256 h[1];
    accumulate_histograms(planes, 1, 3, 1, 1, 2, 2, h);
    const std::vector<std::pair<int, double>> expected = {{c.bin, 1.0}};
    EXPECT_EQ(occupied_bins(h[0]), expected) << c.value;
  }
}

// Three planes, each into its own histogram; the window is rows 1..2, columns
// 0..1 of a 3 x 3 column-major plane, and the old contents are cleared.
TEST(AccumulateHistograms, CountsEveryPlaneOfTheWindowOnly) {
  // Plane p holds 10*p + (r + 3c) at (r, c).
  std::vector<double> p0(9), p1(9), p2(9);
  for (int e = 0; e < 9; ++e) {
    p0[e] = e;
    p1[e] = 10 + e + 0.5;
    p2[e] = 20 + e;
  }
  const double *planes[3] = {p0.data(), p1.data(), p2.data()};
  Histogram256 h[3];
  for (int p = 0; p < 3; ++p)
    for (int b = 0; b < kBins; ++b)
      h[p][b] = 7.0;
  accumulate_histograms(planes, 3, 3, 1, 2, 0, 1, h);
  // Rows 1-2 of columns 0-1 are elements 1, 2, 4, 5.
  const std::vector<std::pair<int, double>> e0 = {{1, 1}, {2, 1}, {4, 1}, {5, 1}};
  const std::vector<std::pair<int, double>> e1 = {{11, 1}, {12, 1}, {14, 1}, {15, 1}};
  const std::vector<std::pair<int, double>> e2 = {{21, 1}, {22, 1}, {24, 1}, {25, 1}};
  EXPECT_EQ(occupied_bins(h[0]), e0);
  EXPECT_EQ(occupied_bins(h[1]), e1);
  EXPECT_EQ(occupied_bins(h[2]), e2);
}

TEST(AccumulateHistograms, RepeatedValuesAddOneEach) {
  const std::vector<double> plane = {5.2, 5.9, 5.0, 6.0, 5.5, 6.99};
  const double *planes[1] = {plane.data()};
  Histogram256 h[1];
  accumulate_histograms(planes, 1, 2, 0, 1, 0, 2, h);
  const std::vector<std::pair<int, double>> expected = {{5, 4.0}, {6, 2.0}};
  EXPECT_EQ(occupied_bins(h[0]), expected);
}

TEST(NormalizeCounts, MultipliesByTheReciprocalInPlaceOrIntoACopy) {
  Histogram256 counts = {};
  counts[0] = 31.0;
  counts[3] = 1.0;
  counts[255] = 89.0;
  const double inv_n = 0.008264462809917356;
  Histogram256 copy;
  normalize_counts(counts, inv_n, copy);
  // 31 * (1/121) and 31 / 121 differ in the last bit: the product is the rule.
  ASSERT_NE(31.0 * inv_n, 31.0 / 121.0);
  EXPECT_EQ(copy[0], 31.0 * inv_n);
  EXPECT_EQ(copy[3], inv_n);
  EXPECT_EQ(copy[255], 89.0 * inv_n);
  EXPECT_EQ(copy[1], 0.0);
  EXPECT_EQ(counts[0], 31.0) << "the source is only read";
  normalize_counts(counts, inv_n, counts);
  for (int b = 0; b < kBins; ++b)
    EXPECT_EQ(counts[b], copy[b]) << b;
}

// Literal window statistics in the order the kernels define, written apart
// from them: rows outer, columns inner.
struct Moments {
  double mean, dev;
};
Moments rows_outer_moments(const std::vector<double> &plane, int64_t rows, int r0, int r1, int c0,
                           int c1, double inv_n, double inv_n1) {
  double s = 0.0;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      s += plane[r + c * rows];
  const double mean = s * inv_n;
  double q = 0.0;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      q += (plane[r + c * rows] - mean) * (plane[r + c * rows] - mean);
  return {mean, std::sqrt(q * inv_n1)};
}

TEST(WindowMeanDeviation, HandComputableFractionalWindow) {
  // 2 x 2 window {1.5, 2.5; 3.5, 4.5}: sum 12, mean 3, squares 5.
  const std::vector<double> plane = {1.5, 3.5, 2.5, 4.5};
  const MeanDeviation md = window_mean_deviation(plane.data(), 2, 0, 1, 0, 1, 0.25, 1.0 / 3.0);
  EXPECT_EQ(md.mean, 3.0);
  EXPECT_EQ(md.dev, std::sqrt(5.0 * (1.0 / 3.0)));
}

// The reciprocals are multiplied, whatever they are: a caller passing 0.5 and
// 2.0 gets sum*0.5 and sqrt(squares*2).
TEST(WindowMeanDeviation, MultipliesByTheReciprocalsItIsGiven) {
  const std::vector<double> plane = {1.0, 2.0, 6.0};
  const MeanDeviation md = window_mean_deviation(plane.data(), 3, 0, 2, 0, 0, 0.5, 2.0);
  EXPECT_EQ(md.mean, 4.5);
  // (1-4.5)^2 + (2-4.5)^2 + (6-4.5)^2 = 12.25 + 6.25 + 2.25 = 20.75
  EXPECT_EQ(md.dev, std::sqrt(41.5));
}

// Window order decides the last bits: the window {0.1, 0.1; 1.1, 0.1} sums to
// a different double rows-outer than in memory (columns-outer) order.
TEST(WindowMeanDeviation, SumsRowsOuterNotInMemoryOrder) {
  // Column-major 2 x 2: (0,0)=0.1 (1,0)=1.1 (0,1)=0.1 (1,1)=0.1.
  const std::vector<double> plane = {0.1, 1.1, 0.1, 0.1};
  const double rows_outer = (((0.0 + 0.1) + 0.1) + 1.1) + 0.1;
  const double columns_outer = (((0.0 + 0.1) + 1.1) + 0.1) + 0.1;
  ASSERT_NE(rows_outer, columns_outer) << "the fixture must tell the two orders apart";
  const MeanDeviation md = window_mean_deviation(plane.data(), 2, 0, 1, 0, 1, 0.25, 1.0 / 3.0);
  EXPECT_EQ(md.mean, rows_outer * 0.25);
  const Moments expected = rows_outer_moments(plane, 2, 0, 1, 0, 1, 0.25, 1.0 / 3.0);
  EXPECT_EQ(md.dev, expected.dev);
}

// Fractional values in larger windows, against the literal recomputation above.
TEST(WindowMeanDeviation, MatchesALiteralRecomputation) {
  const int64_t rows = 13, cols = 12;
  std::vector<double> plane(rows * cols);
  for (int64_t e = 0; e < rows * cols; ++e)
    plane[e] = std::fmod(e * 37.31 + 0.123 * (e % 7), 255.5) - 0.4;
  const struct {
    int r0, r1, c0, c1;
    double inv_n, inv_n1;
  } windows[] = {
      {1, 11, 0, 10, 0.008264462809917356, 0.008333333333333333},
      {2, 8, 5, 11, 0.02040816326530612, 0.020833333333333332},
      {0, 12, 0, 0, 1.0 / 13.0, 1.0 / 12.0},
  };
  for (const auto &w : windows) {
    const MeanDeviation md =
        window_mean_deviation(plane.data(), rows, w.r0, w.r1, w.c0, w.c1, w.inv_n, w.inv_n1);
    const Moments expected =
        rows_outer_moments(plane, rows, w.r0, w.r1, w.c0, w.c1, w.inv_n, w.inv_n1);
    EXPECT_EQ(md.mean, expected.mean) << w.r0 << " " << w.c0;
    EXPECT_EQ(md.dev, expected.dev) << w.r0 << " " << w.c0;
  }
}

TEST(WindowMeanDeviation, EqualValuesGiveTheValueAndZeroDeviation) {
  const std::vector<double> plane(121, 37.0);
  const MeanDeviation md = window_mean_deviation(plane.data(), 11, 0, 10, 0, 10,
                                                 0.008264462809917356, 0.008333333333333333);
  EXPECT_EQ(md.mean, 37.0);
  EXPECT_EQ(md.dev, 0.0);
}

// The density uses 6.28318 where 2*pi would stand.
double literal_fit_distance(const Histogram256 &h, double mean, double dev) {
  const double coef = 1.0 / (std::sqrt(6.28318) * dev);
  double e = 0.0;
  for (int k = 0; k < kBins; ++k) {
    const double d = k - mean;
    const double p = std::exp(-((d * d) / (2.0 * dev * dev))) * coef;
    e += (p - h[k]) * (p - h[k]);
  }
  return std::sqrt(e);
}

TEST(GaussianFitDistance, MatchesTheNormalDensityWithTheStoredConstant) {
  Histogram256 h = {};
  h[98] = 0.25;
  h[100] = 0.5;
  h[103] = 0.25;
  const struct {
    double mean, dev;
  } cases[] = {{100.0, 1.5}, {100.37, 2.2}, {0.2, 7.9}, {254.6, 30.0}, {128.0, 0.01}};
  for (const auto &c : cases) {
    const double distance = gaussian_fit_distance(h, c.mean, c.dev);
    EXPECT_EQ(distance, literal_fit_distance(h, c.mean, c.dev)) << c.mean << " " << c.dev;
  }
  // With 2*pi in place of 6.28318 the result would differ.
  Histogram256 empty = {};
  const double with_literal = gaussian_fit_distance(empty, 100.0, 1.0);
  double e = 0.0;
  for (int k = 0; k < kBins; ++k) {
    const double p = std::exp(-((k - 100.0) * (k - 100.0) / 2.0)) / std::sqrt(2.0 * M_PI);
    e += p * p;
  }
  EXPECT_NE(with_literal, std::sqrt(e));
  EXPECT_NEAR(with_literal, std::sqrt(e), 1e-6);
}

TEST(GaussianFitDistance, ZeroDeviationGivesNaN) {
  Histogram256 h = {};
  h[37] = 1.0;
  EXPECT_TRUE(std::isnan(gaussian_fit_distance(h, 37.0, 0.0)));
  EXPECT_TRUE(std::isnan(gaussian_fit_distance(h, 37.5, 0.0)));
}

TEST(SimilarityTriple, HandComputableHistograms) {
  Histogram256 h0 = {}, h1 = {}, h2 = {};
  h0[0] = 3.0;
  h0[1] = 4.0; // norm 5: 0.6, 0.8
  h1[0] = 1.0;
  h2[1] = 2.0;
  const SimilarityTriple t = similarity_triple(h0, h1, h2);
  EXPECT_EQ(t.t0, 3.0 / 5.0);
  EXPECT_EQ(t.t1, 4.0 / 5.0);
  EXPECT_EQ(t.t2, 0.0);
  EXPECT_EQ(h0[0], 0.6);
  EXPECT_EQ(h0[1], 0.8);
  EXPECT_EQ(h1[0], 1.0);
  EXPECT_EQ(h2[1], 1.0);
}

// Each bin is divided by the norm: 7 / sqrt(2) and 7 * (1 / sqrt(2)) differ.
TEST(SimilarityTriple, DividesByTheNorm) {
  Histogram256 h0 = {}, h1 = {}, h2 = {};
  h0[10] = 7.0;
  h0[11] = 7.0; // norm 7*sqrt(2)
  h1[10] = 1.0;
  h1[11] = 1.0; // norm sqrt(2)
  h2[10] = 1.0;
  similarity_triple(h0, h1, h2);
  const double norm = std::sqrt(98.0);
  ASSERT_NE(7.0 / norm, 7.0 * (1.0 / norm));
  EXPECT_EQ(h0[10], 7.0 / norm);
  EXPECT_EQ(h1[11], 1.0 / std::sqrt(2.0));
}

TEST(SimilarityTriple, IdenticalHistogramsGiveOneAndUnitNorms) {
  Histogram256 h[3];
  for (int b = 0; b < kBins; ++b)
    h[0][b] = h[1][b] = h[2][b] = (b * 7) % 5;
  const SimilarityTriple t = similarity_triple(h[0], h[1], h[2]);
  // Rounding in 256-term sums stays far below 1e-14 (a result just above 1 is
  // as correct as one just below).
  for (double value : {t.t0, t.t1, t.t2})
    EXPECT_NEAR(value, 1.0, 1e-14);
  for (int p = 0; p < 3; ++p) {
    double s = 0.0;
    for (int b = 0; b < kBins; ++b)
      s += h[p][b] * h[p][b];
    EXPECT_NEAR(s, 1.0, 1e-14) << p;
  }
  const double weights[3] = {0.5, 2.0, 0.25};
  EXPECT_NEAR(weighted_similarity(weights, t), 2.75, 1e-13);
}

TEST(SimilarityTriple, DisjointHistogramsGiveExactlyZero) {
  Histogram256 h0 = {}, h1 = {}, h2 = {};
  h0[0] = 5.0;
  h0[17] = 3.0;
  h1[1] = 2.0;
  h1[255] = 9.0;
  h2[17] = 1.0;
  const SimilarityTriple t = similarity_triple(h0, h1, h2);
  EXPECT_EQ(t.t0, 0.0);
  EXPECT_EQ(t.t2, 0.0);
  EXPECT_GT(t.t1, 0.0);
}

TEST(SimilarityTriple, AnEmptyHistogramGivesNaN) {
  Histogram256 h0 = {}, h1 = {}, h2 = {};
  h1[3] = 1.0;
  h2[3] = 1.0;
  const SimilarityTriple t = similarity_triple(h0, h1, h2);
  EXPECT_TRUE(std::isnan(t.t0));
  EXPECT_TRUE(std::isnan(t.t1));
  EXPECT_EQ(t.t2, 1.0);
}

// The fit copy is taken before the similarity rescales the counts in place.
TEST(SimilarityTriple, LeavesTheNormalizedCopyAlone) {
  Histogram256 h[3] = {};
  h[0][4] = 60.0;
  h[0][9] = 61.0;
  h[1][4] = 121.0;
  h[2][4] = 100.0;
  h[2][200] = 21.0;
  Histogram256 fit;
  normalize_counts(h[2], 0.008264462809917356, fit);
  similarity_triple(h[0], h[1], h[2]);
  EXPECT_EQ(fit[4], 100.0 * 0.008264462809917356);
  EXPECT_EQ(fit[200], 21.0 * 0.008264462809917356);
  EXPECT_EQ(h[2][4], 100.0 / std::sqrt(100.0 * 100.0 + 21.0 * 21.0));
}

TEST(WeightedSimilarity, SumsLeftToRight) {
  const SimilarityTriple t = {0.1, 0.2, 0.3};
  const double ones[3] = {1.0, 1.0, 1.0};
  ASSERT_NE((0.1 + 0.2) + 0.3, 0.1 + (0.2 + 0.3));
  EXPECT_EQ(weighted_similarity(ones, t), (0.1 + 0.2) + 0.3);
  const struct {
    double w[3];
    double expected;
  } cases[] = {
      {{1, 0, 0}, 0.1},
      {{0, 1, 0}, 0.2},
      {{0, 0, 1}, 0.3},
      {{2, -1, 0}, 0.0},
      {{0.5, 0.25, 4}, ((0.0 + 0.5 * 0.1) + 0.25 * 0.2) + 4 * 0.3},
  };
  for (const auto &c : cases)
    EXPECT_EQ(weighted_similarity(c.w, t), c.expected) << c.w[0] << c.w[1] << c.w[2];
}

TEST(WeightedSimilarity, WeightsOneZeroZeroGiveT0Exactly) {
  const double weights[3] = {1.0, 0.0, 0.0};
  for (const double t0 : {0.0, 0.7071067811865476, 1.0000000000000002, 0.123456789})
    EXPECT_EQ(weighted_similarity(weights, {t0, 0.999, 0.5}), t0);
}

TEST(WeightedSimilarity, NaNWeightGivesNaN) {
  const double weights[3] = {1.0, kNaN, 0.0};
  EXPECT_TRUE(std::isnan(weighted_similarity(weights, {1.0, 1.0, 1.0})));
}

TEST(WindowFits, ExactAtTheEdgesAndSafeAtTheLimits) {
  const int32_t big = std::numeric_limits<int32_t>::max();
  const int32_t small = std::numeric_limits<int32_t>::min();
  const struct {
    int32_t x, y, radius, rows, cols;
    bool fits;
  } cases[] = {
      {20, 20, 20, 41, 41, true},         {19, 20, 20, 41, 41, false},
      {20, 19, 20, 41, 41, false},        {21, 20, 20, 41, 41, false},
      {20, 21, 20, 41, 41, false},        {20, 20, 20, 40, 41, false},
      {big, 20, 20, 41, 41, false},       {20, big, 20, 41, 41, false},
      {small, 20, 20, 41, 41, false},     {20, small, 20, 41, 41, false},
      {big - 20, 20, 20, 41, big, false}, {big - 21, 20, 20, 41, big, true},
  };
  for (const auto &c : cases)
    EXPECT_EQ(window_fits(c.x, c.y, c.radius, c.rows, c.cols), c.fits)
        << c.x << " " << c.y << " " << c.rows << "x" << c.cols;
}

} // namespace
