#include <gtest/gtest.h>

#include "point_list.h"

#include <cmath>
#include <utility>
#include <vector>

#include "contours/contour_gap.h"
#include "contours/resample_by_direction.h"
#include "declaration_check.h"
#include "host/host.h"

extern const Deliverable ringsample_deliverable;
extern const Deliverable driftgauge_deliverable;

namespace {

std::vector<double> resample(const std::vector<double> &list, double count) {
  std::vector<double> table(720, -99.0);
  resample_by_direction(list.data(), count, table.data());
  EXPECT_EQ(host::live_allocations(), 0) << "the scratch block must be freed";
  return table;
}

struct RowRange {
  int first, last;
  Point point;
};

void expect_rows(const std::vector<double> &table, const std::vector<RowRange> &ranges) {
  for (const RowRange &range : ranges)
    for (int j = range.first; j <= range.last; ++j) {
      EXPECT_EQ(table[j], range.point.first) << "row " << j;
      EXPECT_EQ(table[360 + j], range.point.second) << "row " << j;
    }
}

TEST(Declarations, MatchTheFrameTable) {
  expect_declaration_matches_frame(ringsample_deliverable);
  expect_declaration_matches_frame(driftgauge_deliverable);
}

// 3.14159265 lies just below pi, so each direction lies just below its whole
// degree: rows 45, 135, 225 and 315 go to the point of the lower direction.
TEST(ResampleByDirection, PicksTheNearestDirectionWithBoundariesBelowEachDegree) {
  const struct {
    std::vector<Point> points;
    std::vector<RowRange> rows;
  } cases[] = {
      {{{1, 0}, {0, 1}, {-1, 0}, {0, -1}},
       {{0, 45, {1, 0}},
        {46, 135, {0, 1}},
        {136, 225, {-1, 0}},
        {226, 315, {0, -1}},
        {316, 359, {1, 0}}}},
      // The points' own coordinates are copied, not their unit vectors.
      {{{2, 0}, {0, 5}, {-1, 0}, {0, -3}},
       {{0, 45, {2, 0}},
        {46, 135, {0, 5}},
        {136, 225, {-1, 0}},
        {226, 315, {0, -3}},
        {316, 359, {2, 0}}}},
      // Two points in one direction: the earlier one wins every tie.
      {{{2, 0}, {1, 0}, {0, 5}}, {{0, 45, {2, 0}}, {46, 225, {0, 5}}, {226, 359, {2, 0}}}},
      {{{1, -1}, {1, 1}}, {{0, 0, {1, -1}}}},
      {{{1, 1}, {1, -1}}, {{0, 0, {1, 1}}}},
      // A point at the origin has a NaN direction and is never chosen...
      {{{1, 0}, {0, 0}, {0, 1}}, {{0, 45, {1, 0}}, {46, 225, {0, 1}}, {226, 359, {1, 0}}}},
      // ...unless it is point 0: then no comparison succeeds anywhere.
      {{{0, 0}, {1, 0}, {0, 1}}, {{0, 359, {0, 0}}}},
      {{{-7.5, 2.25}}, {{0, 359, {-7.5, 2.25}}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "first point (" << c.points[0].first << ", "
                                    << c.points[0].second << "), " << c.points.size() << " points");
    const std::vector<double> list = point_list(c.points);
    expect_rows(resample(list, static_cast<double>(c.points.size())), c.rows);
  }
}

TEST(ResampleByDirection, ReadsOnlyTheFirstTwoNValuesAndTruncatesTheCount) {
  // A 6-row array: rows 4 and 5 must not be taken for points, and the y
  // column of a count of 4 starts at position 4, not 6.
  const std::vector<double> six_rows = {1, 0, -1, 0, 50, 60, 0, 1, 0, -1, 70, 80};
  const std::vector<double> four_points = point_list({{1, 50}, {0, 60}, {-1, 0}, {0, 1}});
  EXPECT_EQ(resample(six_rows, 4.9), resample(four_points, 4));
}

TEST(ResampleByDirection, WritesZerosWhenThereIsNoPoint) {
  const std::vector<double> list = point_list({{3, 4}});
  for (double count : {0.0, -3.0, std::nan("")})
    EXPECT_EQ(resample(list, count), std::vector<double>(720, 0.0)) << count;
}

double gap(const std::vector<Point> &a, const std::vector<Point> &b) {
  const std::vector<double> la = point_list(a), lb = point_list(b);
  double result = -1.0;
  contour_gap(la.data(), static_cast<double>(a.size()), lb.data(), static_cast<double>(b.size()),
              &result);
  EXPECT_EQ(host::live_allocations(), 0);
  return result;
}

std::vector<Point> circle(int n, double radius, double cx, double cy) {
  std::vector<Point> points;
  for (int i = 0; i < n; ++i) {
    const double t = 2.0 * M_PI * i / n;
    points.push_back({cx + radius * std::cos(t), cy + radius * std::sin(t)});
  }
  return points;
}

TEST(ContourGap, IsAQuarterOfTheMeanDistanceOfEqualDirections) {
  const std::vector<Point> square = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  const std::vector<Point> wide = {{2, 0}, {0, 2}, {-2, 0}, {0, -2}};
  EXPECT_EQ(gap(square, square), 0.0);
  EXPECT_EQ(gap(square, wide), 0.25);
  EXPECT_EQ(gap({{3, 4}}, {{0, 0}}), 1.25);
}

TEST(ContourGap, IsSymmetricAndTakesContoursOfDifferentLengths) {
  const std::vector<Point> small = {{1, 0.5}, {0.2, 1}, {-1, 0.1}, {0.3, -1}};
  const std::vector<Point> large = circle(1000, 3.0, 0.4, -0.2);
  const double forward = gap(small, large);
  EXPECT_EQ(forward, gap(large, small));
  EXPECT_GT(forward, 0.25); // every pair lies at least 1.9 apart
  EXPECT_LT(forward, 1.0);
}

TEST(ContourGap, FollowsTheStatedOrderOfOperations) {
  // Literal recomputation from the two resampled tables.
  const std::vector<Point> a = circle(37, 2.0, 0.1, 0.3), b = circle(53, 5.0, -0.2, 0.1);
  const std::vector<double> ta = resample(point_list(a), 37), tb = resample(point_list(b), 53);
  double sum = 0.0;
  for (int j = 0; j < 360; ++j) {
    const double dx = tb[j] - ta[j], dy = tb[360 + j] - ta[360 + j];
    sum = sum + std::sqrt(dy * dy + dx * dx);
  }
  EXPECT_EQ(gap(a, b), 0.25 * (sum / 360.0));
}

} // namespace
