#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace {

using host::make_array;
using host::make_matrix;
using host::make_scalar;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const char *const kMapNames[] = {"anchorfield", "vigorfield", "vigorsheet"};

// The seven inputs of a map call, owned.
struct MapInputs {
  host::Array planes[3];
  host::Array m, n, weights, threshold;
  std::vector<const mxArray *> list() const {
    return {planes[0].get(), planes[1].get(), planes[2].get(), m.get(),
            n.get(),         weights.get(),   threshold.get()};
  }
};

// side x side planes of `value` everywhere, weights (1, 1, 1).
MapInputs uniform_inputs(int64_t side, double value, double threshold = 0.5) {
  const std::vector<double> values(side * side, value);
  return {{make_matrix(side, side, values), make_matrix(side, side, values),
           make_matrix(side, side, values)},
          make_scalar(side),
          make_scalar(side),
          make_matrix(1, 3, {1, 1, 1}),
          make_scalar(threshold)};
}

// 11 x 11 (21 x 21 for vigorfield) planes, all equal, whose one evaluated
// window decides the centre.
TEST(MapsHost, TheSmallestMapsDecideTheirOneCentre) {
  // anchorfield: 120 values 100 and one 101 vary little: 1.0 at (5, 5).
  MapInputs rare = uniform_inputs(11, 100.0);
  for (host::Array &plane : rare.planes)
    mxGetPr(plane.get())[3 + 7 * 11] = 101.0;
  const host::Matrix anchor = call1("anchorfield", rare.list());
  ASSERT_EQ(anchor.rows, 11);
  ASSERT_EQ(anchor.cols, 11);
  for (int64_t e = 0; e < 121; ++e)
    EXPECT_EQ(anchor.values[e], e == 5 + 5 * 11 ? 1.0 : 0.5) << e;

  // vigorsheet with an infinite threshold: far below -2 at the centre.
  rare.threshold = make_scalar(kInf);
  const host::Matrix sheet = call1("vigorsheet", rare.list());
  EXPECT_LT(sheet.at(5, 5), -2.0);
  EXPECT_EQ(sheet.at(4, 5), 1.0);

  // vigorfield: a 7 x 7 window of 0s and 200s about (10, 10) marks it 0.5.
  MapInputs wide = uniform_inputs(21, 0.0, kInf);
  for (host::Array &plane : wide.planes)
    for (int64_t c = 7; c <= 13; ++c)
      for (int64_t r = 7; r <= 13; r += 2)
        mxGetPr(plane.get())[r + c * 21] = 200.0;
  const host::Matrix vigor = call1("vigorfield", wide.list());
  for (int64_t e = 0; e < 441; ++e)
    EXPECT_EQ(vigor.values[e], e == 10 + 10 * 21 ? 0.5 : 1.0) << e;
}

// Sizes go through to_index: fractions truncate, negative and NaN sizes give
// an empty map. Without windows, the planes and weights are not read, so
// empty ones are accepted.
TEST(MapsHost, SizesTruncateAndBadSizesGiveAnEmptyMap) {
  const struct {
    double M, N;
    int64_t rows, cols;
  } cases[] = {{3.7, 2.2, 3, 2}, {10.9, 40, 10, 40}, {-1, 5, 0, 5},
               {kNaN, 5, 0, 5},  {5, -kInf, 5, 0},   {-3, kNaN, 0, 0}};
  for (const char *name : kMapNames)
    for (const auto &c : cases) {
      host::Array empty = make_matrix(0, 0, {});
      host::Array m = make_scalar(c.M), n = make_scalar(c.N), threshold = make_scalar(0.5);
      const host::Matrix map = call1(name, {empty.get(), empty.get(), empty.get(), m.get(), n.get(),
                                            empty.get(), threshold.get()});
      EXPECT_EQ(map.rows, c.rows) << name << " " << c.M;
      EXPECT_EQ(map.cols, c.cols) << name << " " << c.N;
      for (double value : map.values)
        EXPECT_EQ(value, std::string(name) == "anchorfield" ? 0.5 : 1.0) << name;
    }
}

TEST(MapsHost, TooFewValuesAreReportedBeforeAnyPixel) {
  for (const char *name : kMapNames) {
    const int64_t side = std::string(name) == "vigorfield" ? 21 : 11;
    const std::string needs = " that a map of " + std::to_string(side) + " rows and " +
                              std::to_string(side) + " columns needs";
    for (int plane = 0; plane < 3; ++plane) {
      MapInputs inputs = uniform_inputs(side, kNaN); // bad pixels, but counts come first
      inputs.planes[plane] = make_matrix(side, side - 1, std::vector<double>(side * side, 7.0));
      const RaisedError error = call_error(name, 1, inputs.list());
      EXPECT_EQ(error.id, error_id(name, "tooFewValues"));
      EXPECT_EQ(error.message, "input " + std::to_string(plane + 1) + " (plane " +
                                   std::to_string(plane) + ") holds " +
                                   std::to_string(side * (side - 1)) + " values, fewer than the " +
                                   std::to_string(side * side) + needs);
    }
    MapInputs inputs = uniform_inputs(side, 9.0);
    inputs.weights = make_matrix(2, 1, {1, 1});
    const RaisedError error = call_error(name, 1, inputs.list());
    EXPECT_EQ(error.id, error_id(name, "tooFewValues"));
    EXPECT_EQ(error.message, "input 6 (weights) holds 2 values, fewer than the 3 that the "
                             "similarity weighting needs");
    // More values than needed are fine: a 12 x 12 plane for an 11 x 11 map.
    MapInputs bigger = uniform_inputs(side, 9.0);
    bigger.planes[1] =
        make_matrix(side + 1, side + 1, std::vector<double>((side + 1) * (side + 1), 9.0));
    bigger.weights = make_matrix(2, 2, {1, 1, 1, 5});
    EXPECT_EQ(call1(name, bigger.list()).rows, side);
  }
}

// A huge size with too few values is an error, not a huge allocation.
TEST(MapsHost, HugeSizesAskForTooManyValues) {
  MapInputs inputs = uniform_inputs(11, 9.0);
  inputs.m = make_scalar(1e12);
  const RaisedError error = call_error("anchorfield", 1, inputs.list());
  EXPECT_EQ(error.id, error_id("anchorfield", "tooFewValues"));
  EXPECT_EQ(error.message, "input 1 (plane 0) holds 121 values, fewer than the 23622320117 that a "
                           "map of 2147483647 rows and 11 columns needs");
}

TEST(MapsHost, PixelsWithoutABinNameTheirPlaceAndValue) {
  const struct {
    const char *name;
    int plane;
    int64_t row, col; // zero-based
    double value;
    const char *message;
  } cases[] = {
      {"anchorfield", 0, 2, 3, kNaN,
       "plane 0 (input 1) holds NaN at row 3, column 4; pixel values must lie above -1 and below "
       "256"},
      {"anchorfield", 2, 0, 0, -1.0,
       "plane 2 (input 3) holds -1 at row 1, column 1; pixel values must lie above -1 and below "
       "256"},
      {"vigorsheet", 1, 10, 10, 256.0,
       "plane 1 (input 2) holds 256 at row 11, column 11; pixel values must lie above -1 and "
       "below 256"},
      {"vigorsheet", 2, 5, 0, kInf,
       "plane 2 (input 3) holds Inf at row 6, column 1; pixel values must lie above -1 and below "
       "256"},
      {"vigorfield", 1, 7, 13, -kInf,
       "plane 1 (input 2) holds -Inf at row 8, column 14; pixel values must lie above -1 and "
       "below 256"},
      {"vigorfield", 2, 13, 7, 300.5,
       "plane 2 (input 3) holds 300.5 at row 14, column 8; pixel values must lie above -1 and "
       "below 256"},
  };
  for (const auto &c : cases) {
    const int64_t side = std::string(c.name) == "vigorfield" ? 21 : 11;
    MapInputs inputs = uniform_inputs(side, 40.0);
    mxGetPr(inputs.planes[c.plane].get())[c.row + c.col * side] = c.value;
    const RaisedError error = call_error(c.name, 1, inputs.list());
    EXPECT_EQ(error.id, error_id(c.name, "badPixel")) << c.message;
    EXPECT_EQ(error.message, c.message);
  }
}

// Only the pixels an evaluated window reads are checked: vigorfield's outer 7
// rows and columns may hold anything. Values just inside the range are valid.
TEST(MapsHost, OnlyPixelsThatWindowsReadAreChecked) {
  MapInputs inputs = uniform_inputs(21, 40.0);
  for (host::Array &plane : inputs.planes)
    for (int64_t i = 0; i < 21; ++i)
      for (int64_t edge : {0, 6, 14, 20}) {
        mxGetPr(plane.get())[edge + i * 21] = kNaN;
        mxGetPr(plane.get())[i + edge * 21] = -5.0;
      }
  const host::Matrix map = call1("vigorfield", inputs.list());
  EXPECT_EQ(map.rows, 21);
  mxGetPr(inputs.planes[0].get())[7 + 7 * 21] = kNaN;
  EXPECT_EQ(call_error("vigorfield", 1, inputs.list()).id, error_id("vigorfield", "badPixel"));

  for (const char *name : {"anchorfield", "vigorsheet"}) {
    MapInputs edges = uniform_inputs(11, 255.999);
    mxGetPr(edges.planes[2].get())[0] = -0.999;
    mxGetPr(edges.planes[1].get())[120] = 0.0;
    EXPECT_EQ(call1(name, edges.list()).rows, 11) << name;
  }
}

TEST(MapsHost, InputsOfTheWrongClassAreRefused) {
  for (const char *name : kMapNames) {
    MapInputs single = uniform_inputs(11, 9.0);
    single.planes[1] = make_array(host::ArrayClass::Single, 11, 11);
    const RaisedError plane = call_error(name, 1, single.list());
    EXPECT_EQ(plane.id, error_id(name, "notRealDouble"));
    EXPECT_EQ(plane.message, "input 2 (plane 1) must be a real, full double array, not single");

    MapInputs complex = uniform_inputs(11, 9.0);
    complex.weights = make_array(host::ArrayClass::Double, 1, 3, true);
    EXPECT_EQ(call_error(name, 1, complex.list()).message,
              "input 6 (weights) must be a real, full double array, not complex double");

    MapInputs pair = uniform_inputs(11, 9.0);
    pair.n = make_matrix(1, 2, {11, 11});
    EXPECT_EQ(call_error(name, 1, pair.list()).id, error_id(name, "notRealScalar"));
  }
}

} // namespace
