#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "host_fixture.h"

namespace {

using host::make_array;
using host::make_matrix;
using host::make_scalar;

// The row of bin j for a vector of magnitude m: theta_j = 3.14159265 * (2 * (j / 360)).
double row_x(int j, double m) {
  return m * std::sin(3.14159265 * (2.0 * (j / 360.0)));
}
double row_y(int j, double m) {
  return m * std::cos(3.14159265 * (2.0 * (j / 360.0)));
}

TEST(RimvaneHost, ReturnsTheDirectionTable) {
  // (3, 4) alone in bin 36; (0, 2) and (0, 5) share bin 0 with a gap of 3.
  host::Array edgels = make_matrix(3, 2, {3, 0, 0, 4, 2, 5}), n = make_scalar(3);
  for (double threshold : {3.0, 2.999}) {
    host::Array t = make_scalar(threshold);
    const host::Matrix table = call1("rimvane", {edgels.get(), n.get(), t.get()});
    ASSERT_EQ(table.rows, 360);
    ASSERT_EQ(table.cols, 2);
    EXPECT_EQ(table.at(36, 0), row_x(36, 5.0));
    EXPECT_EQ(table.at(36, 1), row_y(36, 5.0));
    EXPECT_EQ(table.at(0, 0), 0.0);
    EXPECT_EQ(table.at(0, 1), threshold == 3.0 ? 5.0 : 0.0);
    int nonzero_rows = 0;
    for (int j = 0; j < 360; ++j)
      nonzero_rows += table.at(j, 0) != 0.0 || table.at(j, 1) != 0.0;
    EXPECT_EQ(nonzero_rows, threshold == 3.0 ? 2 : 1);
  }
}

// No vector is read for a count below 1, so even an empty array will do.
TEST(RimvaneHost, CountBelowOneGivesAllZeros) {
  host::Array empty = make_matrix(0, 0, {}), t = make_scalar(1);
  for (double count : {0.0, 0.5, -4.0, std::nan("")}) {
    host::Array n = make_scalar(count);
    const host::Matrix table = call1("rimvane", {empty.get(), n.get(), t.get()});
    ASSERT_EQ(table.rows, 360);
    ASSERT_EQ(table.cols, 2);
    EXPECT_EQ(table.values, std::vector<double>(720, 0.0)) << count;
  }
}

TEST(RimvaneHost, BadInputsRaiseClearErrors) {
  const auto four_vectors = [] { return make_matrix(4, 2, {1, 0, -1, 0, 0, 1, 0, -1}); };
  const auto number = [](double value) { return [value] { return make_scalar(value); }; };
  const struct {
    const char *label;
    std::function<host::Array()> edgels, n, threshold;
    const char *reason;
    const char *message;
  } cases[] = {
      {"single vectors", [] { return make_array(host::ArrayClass::Single, 4, 2); }, number(4),
       number(1), "notRealDouble",
       "input 1 (edge-element vectors) must be a real, full double array, not single"},
      {"complex vectors", [] { return make_array(host::ArrayClass::Double, 4, 2, true); },
       number(4), number(1), "notRealDouble",
       "input 1 (edge-element vectors) must be a real, full double array, not complex double"},
      {"sparse vectors", [] { return make_array(host::ArrayClass::Double, 4, 2, false, true); },
       number(4), number(1), "notRealDouble",
       "input 1 (edge-element vectors) must be a real, full double array, not sparse double"},
      {"two counts", four_vectors,
       [] {
         return make_matrix(1, 2, {4, 4});
       },
       number(1), "notRealScalar",
       "input 2 (n) must be one real number, not a double array of 2 values"},
      {"text threshold", four_vectors, number(4),
       [] { return make_array(host::ArrayClass::Char, 1, 1); }, "notRealScalar",
       "input 3 (threshold) must be one real number, not a char array of 1 values"},
      {"empty threshold", four_vectors, number(4), [] { return make_matrix(0, 0, {}); },
       "notRealScalar",
       "input 3 (threshold) must be one real number, not a double array of 0 "
       "values"},
      {"count beyond the vectors", four_vectors, number(5), number(1), "tooFewValues",
       "input 1 (edge-element vectors) holds 8 values, fewer than the 10 that the count 5 in "
       "input 2 needs"},
      {"truncated count beyond the vectors", four_vectors, number(5.99), number(1), "tooFewValues",
       "input 1 (edge-element vectors) holds 8 values, fewer than the 10 that the count 5 in "
       "input 2 needs"},
      {"huge count", four_vectors, number(1e12), number(1), "tooFewValues",
       "input 1 (edge-element vectors) holds 8 values, fewer than the 4294967294 that the count "
       "2147483647 in input 2 needs"},
  };
  for (const auto &c : cases) {
    host::Array edgels = c.edgels(), n = c.n(), threshold = c.threshold();
    const RaisedError error = call_error("rimvane", 1, {edgels.get(), n.get(), threshold.get()});
    EXPECT_EQ(error.id, error_id("rimvane", c.reason)) << c.label;
    EXPECT_EQ(error.message, c.message) << c.label;
  }
}

// Exactly 2n values are enough, whatever the array's shape; a NaN threshold
// and vectors without a direction are not errors.
TEST(RimvaneHost, AcceptsAnyShapeHoldingTwoNValues) {
  // As a 4 x 2 list: (1, 0), (0, 1), (NaN, 0), (0, -1e39).
  host::Array row = make_matrix(1, 8, {1, 0, std::nan(""), 0, 0, 1, 0, -1e39});
  host::Array n = make_scalar(4), t = make_scalar(std::nan(""));
  const host::Matrix table = call1("rimvane", {row.get(), n.get(), t.get()});
  ASSERT_EQ(table.rows, 360);
  ASSERT_EQ(table.cols, 2);
  for (int j = 0; j < 360; ++j) {
    const double m = (j == 0 || j == 90) ? 1.0 : 0.0;
    EXPECT_EQ(table.at(j, 0), row_x(j, m)) << j;
    EXPECT_EQ(table.at(j, 1), row_y(j, m)) << j;
  }
}

} // namespace
