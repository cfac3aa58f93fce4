#include <cmath>
#include <vector>

#include "host_fixture.h"

namespace {

using host::make_array;
using host::make_matrix;
using host::make_scalar;

// The four axis points as a 4 x 2 contour.
host::Array axis_contour() {
  return make_matrix(4, 2, {1, 0, -1, 0, 0, 1, 0, -1});
}

TEST(RingsampleHost, ReturnsTheDirectionTable) {
  host::Array points = axis_contour(), n = make_scalar(4);
  const host::Matrix table = call1("ringsample", {points.get(), n.get()});
  ASSERT_EQ(table.rows, 360);
  ASSERT_EQ(table.cols, 2);
  EXPECT_EQ(table.at(46, 0), 0.0);
  EXPECT_EQ(table.at(46, 1), 1.0);
  EXPECT_EQ(table.at(45, 0), 1.0);
  EXPECT_EQ(table.at(0, 0), 1.0);
}

TEST(DriftgaugeHost, ReturnsOneNumber) {
  host::Array a = axis_contour(), na = make_scalar(4);
  host::Array b = make_matrix(4, 2, {2, 0, -2, 0, 0, 2, 0, -2}), nb = make_scalar(4);
  const host::Matrix offset = call1("driftgauge", {a.get(), na.get(), b.get(), nb.get()});
  ASSERT_EQ(offset.rows, 1);
  ASSERT_EQ(offset.cols, 1);
  EXPECT_EQ(offset.values[0], 0.25);
}

TEST(ContoursHost, BadInputsRaiseClearErrors) {
  const double nan = std::nan("");
  const struct {
    const char *label;
    host::Array (*points)();
    double n;
    const char *reason;
    const char *message;
  } cases[] = {
      {"single points", [] { return make_array(host::ArrayClass::Single, 4, 2); }, 4,
       "notRealDouble", "input 1 (contour points) must be a real, full double array, not single"},
      {"complex points", [] { return make_array(host::ArrayClass::Double, 4, 2, true); }, 4,
       "notRealDouble",
       "input 1 (contour points) must be a real, full double array, not complex double"},
      {"sparse points", [] { return make_array(host::ArrayClass::Double, 4, 2, false, true); }, 4,
       "notRealDouble",
       "input 1 (contour points) must be a real, full double array, not sparse double"},
      {"zero count", axis_contour, 0, "badCount",
       "input 2 (n) is 0; the point count must be at least 1"},
      {"NaN count", axis_contour, nan, "badCount",
       "input 2 (n) is NaN; the point count must be at least 1"},
      {"negative count", axis_contour, -2.5, "badCount",
       "input 2 (n) is -2.5; the point count must be at least 1"},
      {"count beyond the list", axis_contour, 5, "tooFewValues",
       "input 1 (contour points) holds 4 points (8 values), fewer than the 5 points that input 2 "
       "asks for"},
      {"huge count", axis_contour, 1e12, "tooFewValues",
       "input 1 (contour points) holds 4 points (8 values), fewer than the 2147483647 points that "
       "input 2 asks for"},
  };
  for (const auto &c : cases) {
    host::Array points = c.points(), n = make_scalar(c.n);
    const RaisedError error = call_error("ringsample", 1, {points.get(), n.get()});
    EXPECT_EQ(error.id, error_id("ringsample", c.reason)) << c.label;
    EXPECT_EQ(error.message, c.message) << c.label;
  }
}

TEST(ContoursHost, ScalarInputsMustBeOneRealNumber) {
  host::Array points = axis_contour();
  host::Array two = make_matrix(1, 2, {4, 4});
  host::Array text = make_array(host::ArrayClass::Char, 1, 1);
  host::Array complex = make_array(host::ArrayClass::Double, 1, 1, true);
  for (const mxArray *n : {two.get(), text.get(), complex.get()}) {
    const RaisedError error = call_error("ringsample", 1, {points.get(), n});
    EXPECT_EQ(error.id, error_id("ringsample", "notRealScalar"));
  }
  // Other real numeric classes are numbers too.
  host::Array int_count = make_array(host::ArrayClass::Int32, 1, 1);
  const RaisedError zero = call_error("ringsample", 1, {points.get(), int_count.get()});
  EXPECT_EQ(zero.id, error_id("ringsample", "badCount"));
}

TEST(ContoursHost, DriftgaugeChecksBothContours) {
  host::Array good = axis_contour(), four = make_scalar(4), five = make_scalar(5);
  const RaisedError second =
      call_error("driftgauge", 1, {good.get(), four.get(), good.get(), five.get()});
  EXPECT_EQ(second.id, error_id("driftgauge", "tooFewValues"));
  EXPECT_EQ(second.message, "input 3 (second contour) holds 4 points (8 values), fewer than the 5 "
                            "points that input 4 asks for");
  host::Array zero = make_scalar(0);
  const RaisedError first =
      call_error("driftgauge", 1, {good.get(), zero.get(), good.get(), four.get()});
  EXPECT_EQ(first.message, "input 2 (its n) is 0; the point count must be at least 1");
}

} // namespace

namespace {

TEST(Loader, FallsBackToTheUnderscoreEntryPoint) {
  host::Function underscore(std::string(PLANESTAT_HOST_MODULES) + "/underscore_entry.so");
  host::Array points = axis_contour(), n = host::make_scalar(4);
  const std::vector<host::Matrix> outputs = underscore.call(1, {points.get(), n.get()});
  ASSERT_EQ(outputs.size(), 1u);
  EXPECT_EQ(outputs[0].values, call1("ringsample", {points.get(), n.get()}).values);
}

TEST(Loader, RefusesALibraryWithoutAnEntryPoint) {
  EXPECT_THROW(host::Function library(PLANESTAT_HOST_LIBRARY), std::runtime_error);
  EXPECT_THROW(host::Function missing("/nonexistent/ringsample.so"), std::runtime_error);
}

} // namespace
