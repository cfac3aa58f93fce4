#include <gtest/gtest.h>

#include "point_list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "contours/rimvane.h"
#include "declaration_check.h"
#include "host/host.h"

extern const Deliverable rimvane_deliverable;

namespace {

using Vector = Point;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Edge-element vectors use the point-list layout: x of vector i at i, y at n + i.
std::vector<double> edgel_list(const std::vector<Vector> &vectors) {
  return point_list(vectors);
}

std::vector<double> bin_table(const std::vector<double> &list, double count, double threshold) {
  std::vector<double> table(720, -99.0);
  bin_edgel_directions(list.data(), count, threshold, table.data());
  EXPECT_EQ(host::live_allocations(), 0) << "every bin block must be freed";
  return table;
}

std::vector<double> bin_vectors(const std::vector<Vector> &vectors, double threshold) {
  return bin_table(edgel_list(vectors), static_cast<double>(vectors.size()), threshold);
}

// A vector of length `length` at `degrees` from +y toward +x.
Vector at_degrees(double degrees, double length = 1.0) {
  const double radians = degrees * M_PI / 180.0;
  return {length * std::sin(radians), length * std::cos(radians)};
}

// Row j written out from its definition: theta_j = 3.14159265 * (2 * (j / 360)), and the
// single magnitude widened to double times its sine and cosine.
Vector expected_row(int j, float magnitude) {
  const double theta = 3.14159265 * (2.0 * (j / 360.0));
  return {static_cast<double>(magnitude) * std::sin(theta),
          static_cast<double>(magnitude) * std::cos(theta)};
}

Vector row(const std::vector<double> &table, int j) {
  return {table[j], table[360 + j]};
}

// Every row is (0, 0) except the listed ones, which hold the vector of the
// given magnitude along their own direction.
void expect_only_rows(const std::vector<double> &table,
                      const std::vector<std::pair<int, float>> &rows) {
  for (int j = 0; j < 360; ++j) {
    Vector expected = {0.0, 0.0};
    for (const auto &r : rows)
      if (r.first == j)
        expected = expected_row(j, r.second);
    EXPECT_EQ(row(table, j), expected) << "row " << j;
  }
}

TEST(RimvaneDeclaration, MatchesTheFrameTable) {
  expect_declaration_matches_frame(rimvane_deliverable);
}

TEST(BinOfVector, PutsEachDirectionInItsBin) {
  const struct {
    const char *label;
    Vector v;
    int bin;
  } cases[] = {
      {"+y", {0, 1}, 0},
      {"+x", {1, 0}, 90},
      {"-y", {0, -1}, 180},
      {"-x", {-1, 0}, 270},
      {"(3, 4)", {3, 4}, 36},
      // Exact diagonals: single(pi/4) lies above pi/4, so d lies just beyond 45.
      {"(1, 1)", {1, 1}, 45},
      {"(1, -1)", {1, -1}, 135},
      {"(-1, -1)", {-1, -1}, 225},
      {"(-1, 1)", {-1, 1}, 315},
      // Truncation toward zero before the quadrant shift: bins 0 and 180 are
      // nearly two degrees wide, and below 90 (and 270) a bin is [j, j + 1),
      // above it (j - 1, j].
      {"359.5", at_degrees(359.5), 0},
      {"0.5", at_degrees(0.5), 0},
      {"44.5", at_degrees(44.5), 44},
      {"45.5", at_degrees(45.5), 45},
      {"89.5", at_degrees(89.5), 89},
      {"90.5", at_degrees(90.5), 91},
      {"134.5", at_degrees(134.5), 135},
      {"135.5", at_degrees(135.5), 136},
      {"179.5", at_degrees(179.5), 180},
      {"180.5", at_degrees(180.5), 180},
      {"224.5", at_degrees(224.5), 224},
      {"225.5", at_degrees(225.5), 225},
      {"269.5", at_degrees(269.5), 269},
      {"270.5", at_degrees(270.5), 271},
      {"314.5", at_degrees(314.5), 315},
      {"315.5", at_degrees(315.5), 316},
      // A y that rounds to a single-precision zero: bin 90 or 270 by the sign of x.
      {"(1, 1e-50)", {1, 1e-50}, 90},
      {"(1, -1e-50)", {1, -1e-50}, 90},
      {"(-1, 1e-50)", {-1, 1e-50}, 270},
      {"(-1, -1e-50)", {-1, -1e-50}, 270},
      // y = 1e-8 survives in single precision, but atan(1e8) = pi/2 - 1e-8
      // rounds up to single(pi/2) = 1.5707963705..., which gives d just above
      // 90 (bin 90); kept in double it would give d just below 90 (bin 89).
      {"(1, 1e-8)", {1, 1e-8}, 90},
      {"(-1, -1e-8)", {-1, -1e-8}, 270},
  };
  for (const auto &c : cases) {
    float m = -1.0f;
    EXPECT_EQ(bin_of_vector(static_cast<float>(c.v.first), static_cast<float>(c.v.second), &m),
              c.bin)
        << c.label;
    EXPECT_NEAR(m, std::hypot(c.v.first, c.v.second), 1e-6) << c.label;
  }
}

TEST(BinOfVector, MagnitudeIsTheDoubleRootRoundedToSingle) {
  float m = 0.0f;
  EXPECT_EQ(bin_of_vector(3.0f, 4.0f, &m), 36);
  EXPECT_EQ(m, 5.0f);
  // Squares beyond the single range (2e19^2 = 4e38) and below it (1e-30^2):
  // summed in double they give a finite, non-zero magnitude.
  for (float c : {2e19f, 1e-30f}) {
    const double sum = double(c) * double(c) + double(c) * double(c);
    EXPECT_EQ(bin_of_vector(c, c, &m), 45) << c;
    EXPECT_EQ(m, static_cast<float>(std::sqrt(sum))) << c;
    EXPECT_EQ(bin_of_vector(-c, -c, &m), 225) << c;
  }
}

TEST(BinOfVector, VectorsWithoutADirectionHaveNoBin) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char *label;
    float x, y;
  } cases[] = {
      {"zero", 0.0f, 0.0f},
      {"negative zeros", -0.0f, -0.0f},
      {"infinite x", inf, 1.0f},
      {"infinite y", 1.0f, -inf},
      {"NaN x", nan, 1.0f},
      {"NaN y", 1.0f, nan},
      // Finite components whose magnitude overflows single precision.
      {"magnitude beyond single", 3e38f, 3e38f},
  };
  for (const auto &c : cases) {
    float m = 0.0f;
    EXPECT_EQ(bin_of_vector(c.x, c.y, &m), kNoDirection) << c.label;
  }
}

TEST(BinEdgelDirections, OneVectorGivesOneRowAlongItsBin) {
  expect_only_rows(bin_vectors({{3, 4}}, 0.0), {{36, 5.0f}});
  expect_only_rows(bin_vectors({{0, -2}}, kNaN), {{180, 2.0f}}); // no threshold for one vector
  expect_only_rows(bin_vectors({{-1, 0}}, -1.0), {{270, 1.0f}});
}

// 3.14159265 lies below pi: rows 90 and 180 are not exact axis vectors.
TEST(BinEdgelDirections, RowsCarryTheResidueOfTheStoredPi) {
  const std::vector<double> table = bin_vectors({{2, 0}, {0, -1}}, 0.0);
  const Vector r90 = row(table, 90), r180 = row(table, 180);
  EXPECT_EQ(r90, expected_row(90, 2.0f));
  EXPECT_EQ(r180, expected_row(180, 1.0f));
  EXPECT_NEAR(r90.second, 2 * 1.795e-9, 0.002e-9);
  EXPECT_NEAR(r180.first, 3.590e-9, 0.002e-9);
  EXPECT_NEAR(r90.first, 2.0, 1e-15);
  EXPECT_NEAR(r180.second, -1.0, 1e-15);
}

TEST(BinEdgelDirections, LargestGapDecidesAgainstTheThreshold) {
  const std::vector<Vector> two_and_five = {{0, 2}, {0, 5}}; // bin 0, gap 3
  const std::vector<Vector> equal = {{3, 4}, {3, 4}, {3, 4}};
  const struct {
    const char *label;
    std::vector<Vector> vectors;
    double threshold;
    std::vector<std::pair<int, float>> rows;
  } cases[] = {
      {"gap 3, threshold 3", two_and_five, 3.0, {{0, 5.0f}}},
      {"gap 3, threshold 2.999", two_and_five, 2.999, {}},
      // The gap is widened to double for the test, never the threshold narrowed.
      {"gap 3, threshold just below 3", two_and_five, std::nextafter(3.0, 0.0), {}},
      {"equal, threshold 0", equal, 0.0, {{36, 5.0f}}},
      {"equal, threshold -0.0", equal, -0.0, {{36, 5.0f}}},
      {"equal, negative threshold", equal, -1e-300, {}},
      {"equal, NaN threshold", equal, kNaN, {}},
      {"gap 3, infinite threshold", two_and_five, kInf, {{0, 5.0f}}},
      // Magnitudes that differ only beyond single precision are equal once stored.
      {"equal in single", {{0, 1}, {0, 1 + 1e-12}}, 0.0, {{0, 1.0f}}},
      // Largest of several gaps: 1 -> 1.5 -> 4 (gap 2.5) -> 4.5.
      {"several gaps, threshold 2.5", {{0, 4}, {0, 1}, {0, 4.5}, {0, 1.5}}, 2.5, {{0, 4.5f}}},
      {"several gaps, threshold 2.4", {{0, 4}, {0, 1}, {0, 4.5}, {0, 1.5}}, 2.4, {}},
      // A gap rounded in single: 16777218 - 1 = 16777217 rounds (to even) to
      // 16777216, which passes a threshold of 16777216.5.
      {"single gap", {{0, 1}, {0, 16777218}}, 16777216.5, {{0, 16777218.0f}}},
      // A negative or NaN threshold leaves one-vector bins alone.
      {"mixed bins, negative threshold", {{0, 2}, {0, 5}, {1, 0}}, -1.0, {{90, 1.0f}}},
      {"mixed bins, NaN threshold", {{0, 2}, {0, 5}, {1, 0}}, kNaN, {{90, 1.0f}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.label);
    expect_only_rows(bin_vectors(c.vectors, c.threshold), c.rows);
  }
}

TEST(BinEdgelDirections, ThirtiethVectorClosesTheBin) {
  std::vector<Vector> vectors(29, Vector{0, 1});
  vectors.push_back({1, 0}); // another bin, untouched throughout
  expect_only_rows(bin_vectors(vectors, 0.0), {{0, 1.0f}, {90, 1.0f}});
  vectors.push_back({0, 1}); // the 30th in bin 0
  expect_only_rows(bin_vectors(vectors, 0.0), {{90, 1.0f}});
  expect_only_rows(bin_vectors(vectors, kInf), {{90, 1.0f}});
  for (int extra = 0; extra < 40; ++extra)
    vectors.push_back({0, 1.0 + extra});
  expect_only_rows(bin_vectors(vectors, kInf), {{90, 1.0f}});
}

// A vector without a direction neither counts in a bin nor closes one: 29
// vectors in bins 0 and 270 stay open whatever is mixed in.
TEST(BinEdgelDirections, VectorsWithoutADirectionAreSkipped) {
  std::vector<Vector> vectors;
  for (int i = 0; i < 29; ++i) {
    vectors.push_back({0, 2});
    vectors.push_back({-2, 0});
  }
  const std::vector<double> clean = bin_vectors(vectors, 0.0);
  expect_only_rows(clean, {{0, 2.0f}, {270, 2.0f}});
  const std::vector<Vector> no_direction = {{0, 0},       {1e-50, -1e-50}, {1e39, 0}, {0, -1e39},
                                            {kNaN, 1},    {1, kNaN},       {kInf, 0}, {0, kInf},
                                            {3e38, 3e38}, {-3e38, -3e38}};
  std::vector<Vector> mixed;
  for (size_t i = 0; i < vectors.size(); ++i) {
    mixed.push_back(vectors[i]);
    mixed.push_back(no_direction[i % no_direction.size()]);
  }
  EXPECT_EQ(bin_vectors(mixed, 0.0), clean);
}

TEST(BinEdgelDirections, NoVectorIsReadForACountBelowOne) {
  for (double count : {0.0, 0.9, -0.5, -3.0, -1e12, kNaN, -kInf}) {
    std::vector<double> table(720, -99.0);
    bin_edgel_directions(nullptr, count, 1.0, table.data()); // nothing may be read
    EXPECT_EQ(table, std::vector<double>(720, 0.0)) << count;
    EXPECT_EQ(host::live_allocations(), 0);
  }
}

TEST(BinEdgelDirections, ReadsOnlyTheFirstTwoNValuesAndTruncatesTheCount) {
  // A 6-row array: rows 4 and 5 are not vectors, and with a count of 4 the y
  // column starts at position 4, not 6.
  const std::vector<double> six_rows = {1, 0, -1, 0, 50, 60, 0, 1, 0, -1, 70, 80};
  EXPECT_EQ(bin_table(six_rows, 4.9, 0.0), bin_vectors({{1, 50}, {0, 60}, {-1, 0}, {0, 1}}, 0.0));
}

// --- Random inputs against an independent recomputation -----------------------

// The binning steps written out again with standard containers: float division
// for the unit components, std::sort, and a bin closed by its 30th vector.
std::vector<double> reference_table(const std::vector<Vector> &vectors, double threshold) {
  std::vector<std::vector<float>> bins(360);
  std::vector<bool> closed(360, false);
  for (const Vector &v : vectors) {
    const float x = static_cast<float>(v.first), y = static_cast<float>(v.second);
    const float m = static_cast<float>(std::sqrt(double(x) * double(x) + double(y) * double(y)));
    const float ux = x / m, uy = y / m;
    int b;
    if (uy == 0.0f) {
      b = ux > 0.0f ? 90 : 270;
    } else {
      const float t = static_cast<float>(std::atan(double(ux) / double(uy)));
      const int k = static_cast<int>(std::trunc(180.0 * (double(t) / 3.14159265)));
      b = uy > 0.0f ? (k < 0 ? k + 360 : k) : k + 180;
    }
    if (closed[b])
      continue;
    if (bins[b].size() == 29)
      closed[b] = true;
    else
      bins[b].push_back(m);
  }
  std::vector<double> table(720, 0.0);
  for (int j = 0; j < 360; ++j) {
    std::vector<float> &bin = bins[j];
    if (closed[j] || bin.empty())
      continue;
    std::sort(bin.begin(), bin.end());
    float largest = 0.0f;
    for (size_t i = 1; i < bin.size(); ++i)
      largest = std::max(largest, bin[i] - bin[i - 1]);
    if (bin.size() == 1 || double(largest) <= threshold) {
      const Vector r = expected_row(j, bin.back());
      table[j] = r.first;
      table[360 + j] = r.second;
    }
  }
  return table;
}

// Many vectors crowd a few directions (closing their bins); the rest spread
// over all bins, a few per bin, with magnitudes whose gaps straddle the
// threshold, some repeated exactly.
std::vector<Vector> random_vectors(std::mt19937 &rng, int count) {
  std::uniform_real_distribution<double> degrees(0.0, 360.0), length(1.0, 3.0);
  std::uniform_int_distribution<int> kind(0, 3), crowded(0, 7);
  std::vector<Vector> vectors;
  for (int i = 0; i < count; ++i) {
    switch (kind(rng)) {
    case 0:
      vectors.push_back(at_degrees(10.0 + 40.0 * crowded(rng), length(rng)));
      break;
    case 1:
      vectors.push_back(at_degrees(degrees(rng), 2.0));
      break;
    default:
      vectors.push_back(at_degrees(degrees(rng), length(rng)));
    }
  }
  return vectors;
}

TEST(BinEdgelDirections, MatchesAnIndependentRecomputationOnRandomVectors) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 20; ++round) {
    const std::vector<Vector> vectors = random_vectors(rng, 1200);
    for (double threshold : {0.0, 0.3, 0.8, 5.0}) {
      const std::vector<double> table = bin_vectors(vectors, threshold);
      ASSERT_EQ(table, reference_table(vectors, threshold))
          << "round " << round << ", threshold " << threshold;
    }
  }
}

TEST(BinEdgelDirections, PermutingTheVectorsLeavesTheTableUnchanged) {
  std::mt19937 rng(7);
  std::vector<Vector> vectors = random_vectors(rng, 1500);
  const std::vector<double> table = bin_vectors(vectors, 0.5);
  // The fixture must exercise open, closed, yielding and refused bins.
  int yielding = 0, empty = 0;
  for (int j = 0; j < 360; ++j)
    (row(table, j) == Vector{0.0, 0.0} ? empty : yielding) += 1;
  ASSERT_GT(yielding, 20);
  ASSERT_GT(empty, 20);
  for (int round = 0; round < 10; ++round) {
    std::shuffle(vectors.begin(), vectors.end(), rng);
    ASSERT_EQ(bin_vectors(vectors, 0.5), table) << "round " << round;
  }
  std::reverse(vectors.begin(), vectors.end());
  EXPECT_EQ(bin_vectors(vectors, 0.5), table);
}

} // namespace
