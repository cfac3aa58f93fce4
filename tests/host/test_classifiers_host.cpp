#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace {

using host::ArrayClass;
using host::make_array;
using host::make_matrix;
using host::make_scalar;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A side x side plane of grey levels 0..255 with fractions, varied enough that
// no window is constant.
std::vector<double> grey_values(int side, int seed) {
  std::vector<double> values(static_cast<size_t>(side) * side);
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<double>((i * 37 + i * i * 11 + seed * 101) % 256) + 0.25;
  return values;
}

// The inputs of one classifier call, all owned; stillcull takes all but the weights.
struct ClassifierCall {
  host::Array points, n, plane0, plane1, plane2, m, k, weights, threshold;

  std::vector<const mxArray *> stillcull() const {
    return {points.get(), n.get(), plane0.get(), plane1.get(),
            plane2.get(), m.get(), k.get(),      threshold.get()};
  }
  std::vector<const mxArray *> moodcull() const {
    return {points.get(), n.get(), plane0.get(),  plane1.get(),   plane2.get(),
            m.get(),      k.get(), weights.get(), threshold.get()};
  }
};

// Planes of the smallest size `side` (41 for stillcull, 21 for moodcull), with
// the centre and the point just below it.
ClassifierCall smallest_call(int side) {
  const double c = (side - 1) / 2;
  return {make_matrix(2, 2, {c, c, c, c + 1}),
          make_scalar(2),
          make_matrix(side, side, grey_values(side, 0)),
          make_matrix(side, side, grey_values(side, 1)),
          make_matrix(side, side, grey_values(side, 2)),
          make_scalar(side),
          make_scalar(side),
          make_matrix(1, 3, {1, 1, 1}),
          make_scalar(0)};
}

ClassifierCall stillcull_call() {
  return smallest_call(41);
}
ClassifierCall moodcull_call() {
  ClassifierCall call = smallest_call(21);
  call.threshold = make_scalar(kInf); // the judged centre gets 1.0
  return call;
}

void empty_planes(ClassifierCall &call) {
  call.plane0 = make_matrix(0, 0, {});
  call.plane1 = make_matrix(0, 0, {});
  call.plane2 = make_matrix(0, 0, {});
}

TEST(ClassifiersHost, SmallestPlanesJudgeTheCentreOnly) {
  const ClassifierCall still = stillcull_call();
  const host::Matrix fit = call1("stillcull", still.stillcull());
  EXPECT_EQ(fit.rows, 2);
  EXPECT_EQ(fit.cols, 1);
  EXPECT_EQ(fit.values, (std::vector<double>{1, 2}));

  const ClassifierCall mood = moodcull_call();
  const host::Matrix similarity = call1("moodcull", mood.moodcull());
  EXPECT_EQ(similarity.rows, 2);
  EXPECT_EQ(similarity.cols, 1);
  EXPECT_EQ(similarity.values, (std::vector<double>{1, 2}));
}

TEST(ClassifiersHost, CountIsTruncatedAndNoPointsGiveAnEmptyColumn) {
  ClassifierCall still = stillcull_call();
  still.points = make_matrix(6, 2, {20, 20, 20, 20, 20, 20, 20, 21, 20, 20, 20, 20});
  still.n = make_scalar(5.9);
  // Five points, y from index 5 on (a stride of 6 would give {1, 2, 1, 1, 1}).
  EXPECT_EQ(call1("stillcull", still.stillcull()).values, (std::vector<double>{1, 1, 2, 1, 1}));

  // n below 1 or NaN: nothing is read, so nothing else is checked either.
  for (double n : {0.0, 0.5, -3.0, kNaN, -kInf}) {
    for (bool mood : {false, true}) {
      ClassifierCall call = mood ? moodcull_call() : stillcull_call();
      call.n = make_scalar(n);
      call.points = make_matrix(0, 0, {});
      empty_planes(call);
      call.weights = make_matrix(0, 0, {});
      const host::Matrix out =
          mood ? call1("moodcull", call.moodcull()) : call1("stillcull", call.stillcull());
      EXPECT_EQ(out.rows, 0) << n;
      EXPECT_EQ(out.cols, 1) << n;
    }
  }
}

TEST(ClassifiersHost, StillcullAcceptsAnyPlanesZeroAndOne) {
  const std::vector<double> expected = {1, 2};
  const std::function<host::Array()> unread[] = {
      [] { return make_matrix(0, 0, {}); },
      [] { return make_array(ArrayClass::Char, 1, 4); },
      [] { return make_array(ArrayClass::Cell, 2, 2); },
      [] { return make_array(ArrayClass::Int32, 0, 3); },
      [] { return make_array(ArrayClass::Single, 41, 41); },
      [] { return make_array(ArrayClass::Double, 3, 3, true); },
      [] { return make_array(ArrayClass::Double, 41, 41, false, true); },
  };
  for (const auto &make : unread) {
    ClassifierCall call = stillcull_call();
    call.plane0 = make();
    call.plane1 = make();
    EXPECT_EQ(call1("stillcull", call.stillcull()).values, expected);
  }
}

// Each added check, with its identifier and its whole message.
struct ErrorCase {
  const char *label;
  std::function<void(ClassifierCall &)> change;
  const char *reason;
  const char *message;
};

void expect_errors(const char *function, const std::vector<ErrorCase> &cases) {
  const bool mood = std::string(function) == "moodcull";
  for (const ErrorCase &c : cases) {
    ClassifierCall call = mood ? moodcull_call() : stillcull_call();
    c.change(call);
    const RaisedError error = call_error(function, 1, mood ? call.moodcull() : call.stillcull());
    EXPECT_EQ(error.id, error_id(function, c.reason)) << c.label;
    EXPECT_EQ(error.message, c.message) << c.label;
  }
}

// Sets plane `p` to the smallest plane of `side` with `value` at zero-based (r, c).
void put_pixel(ClassifierCall &call, int p, int side, int r, int c, double value) {
  std::vector<double> values = grey_values(side, p);
  values[r + static_cast<size_t>(c) * side] = value;
  host::Array &plane = p == 0 ? call.plane0 : p == 1 ? call.plane1 : call.plane2;
  plane = make_matrix(side, side, values);
}

TEST(ClassifiersHost, StillcullReportsBadInputs) {
  expect_errors(
      "stillcull",
      {
          {"single points",
           [](ClassifierCall &c) { c.points = make_array(ArrayClass::Single, 2, 2); },
           "notRealDouble", "input 1 (points) must be a real, full double array, not single"},
          {"int32 plane 2",
           [](ClassifierCall &c) { c.plane2 = make_array(ArrayClass::Int32, 41, 41); },
           "notRealDouble", "input 5 (plane 2) must be a real, full double array, not int32"},
          {"two-value M",
           [](ClassifierCall &c) {
             c.m = make_matrix(1, 2, {41, 41});
           },
           "notRealScalar", "input 6 (M) must be one real number, not a double array of 2 values"},
          {"text threshold",
           [](ClassifierCall &c) { c.threshold = make_array(ArrayClass::Char, 1, 1); },
           "notRealScalar",
           "input 8 (threshold) must be one real number, not a char array of 1 values"},
          {"short point list",
           [](ClassifierCall &c) {
             c.points = make_matrix(1, 3, {20, 20, 20});
           },
           "tooFewValues",
           "input 1 (points) holds 3 values, fewer than the 4 that a point list of n = 2 needs"},
          {"huge n", [](ClassifierCall &c) { c.n = make_scalar(1e12); }, "tooFewValues",
           "input 1 (points) holds 4 values, fewer than the 4294967294 that a point list of n = "
           "2147483647 needs"},
          {"short plane 2",
           [](ClassifierCall &c) { c.plane2 = make_matrix(40, 41, grey_values(41, 2)); },
           "tooFewValues",
           "input 5 (plane 2) holds 1640 values, fewer than the 1681 that an M x K plane of 41 x "
           "41 needs"},
          {"256 in plane 2", [](ClassifierCall &c) { put_pixel(c, 2, 41, 3, 5, 256); }, "badPixel",
           "plane 2 (input 5) holds 256 at row 4, column 6; pixel values must lie above -1 and "
           "below 256"},
          {"-1 in plane 2", [](ClassifierCall &c) { put_pixel(c, 2, 41, 40, 0, -1); }, "badPixel",
           "plane 2 (input 5) holds -1 at row 41, column 1; pixel values must lie above -1 and "
           "below 256"},
          {"NaN in plane 2", [](ClassifierCall &c) { put_pixel(c, 2, 41, 0, 40, kNaN); },
           "badPixel",
           "plane 2 (input 5) holds NaN at row 1, column 41; pixel values must lie above -1 and "
           "below 256"},
          {"-Inf in plane 2", [](ClassifierCall &c) { put_pixel(c, 2, 41, 20, 20, -kInf); },
           "badPixel",
           "plane 2 (input 5) holds -Inf at row 21, column 21; pixel values must lie above -1 and "
           "below 256"},
      });
}

TEST(ClassifiersHost, MoodcullReportsBadInputs) {
  expect_errors(
      "moodcull",
      {
          {"complex plane 0",
           [](ClassifierCall &c) { c.plane0 = make_array(ArrayClass::Double, 21, 21, true); },
           "notRealDouble",
           "input 3 (plane 0) must be a real, full double array, not complex double"},
          {"sparse plane 1",
           [](ClassifierCall &c) {
             c.plane1 = make_array(ArrayClass::Double, 21, 21, false, true);
           },
           "notRealDouble",
           "input 4 (plane 1) must be a real, full double array, not sparse double"},
          {"single weights",
           [](ClassifierCall &c) { c.weights = make_array(ArrayClass::Single, 1, 3); },
           "notRealDouble", "input 8 (weights) must be a real, full double array, not single"},
          {"empty K", [](ClassifierCall &c) { c.k = make_matrix(0, 0, {}); }, "notRealScalar",
           "input 7 (K) must be one real number, not a double array of 0 values"},
          {"short point list",
           [](ClassifierCall &c) {
             c.points = make_matrix(3, 1, {10, 10, 10});
           },
           "tooFewValues",
           "input 1 (points) holds 3 values, fewer than the 4 that a point list of n = 2 needs"},
          {"short plane 1",
           [](ClassifierCall &c) { c.plane1 = make_matrix(21, 20, grey_values(21, 1)); },
           "tooFewValues",
           "input 4 (plane 1) holds 420 values, fewer than the 441 that an M x K plane of 21 x 21 "
           "needs"},
          {"two weights",
           [](ClassifierCall &c) {
             c.weights = make_matrix(1, 2, {1, 1});
           },
           "tooFewValues",
           "input 8 (weights) holds 2 values, fewer than the 3 that the weighted similarity needs"},
          {"255.9 is fine, 300 in plane 0 is not",
           [](ClassifierCall &c) {
             std::vector<double> values = grey_values(21, 0);
             values[0] = 255.9;
             values[30] = 300;
             c.plane0 = make_matrix(21, 21, values);
           },
           "badPixel",
           "plane 0 (input 3) holds 300 at row 10, column 2; pixel values must lie above -1 and "
           "below 256"},
          {"Inf in plane 1", [](ClassifierCall &c) { put_pixel(c, 1, 21, 20, 20, kInf); },
           "badPixel",
           "plane 1 (input 4) holds Inf at row 21, column 21; pixel values must lie above -1 and "
           "below 256"},
          {"-1.5 in plane 2", [](ClassifierCall &c) { put_pixel(c, 2, 21, 7, 3, -1.5); },
           "badPixel",
           "plane 2 (input 5) holds -1.5 at row 8, column 4; pixel values must lie above -1 and "
           "below 256"},
      });
}

// The weights are checked whenever M and K admit a window, even if no listed
// point lands on one.
TEST(ClassifiersHost, MoodcullChecksTheWeightsWheneverAWindowFits) {
  ClassifierCall call = moodcull_call();
  call.points = make_matrix(1, 2, {0, 0});
  call.n = make_scalar(1);
  call.weights = make_matrix(0, 0, {});
  EXPECT_EQ(call_error("moodcull", 1, call.moodcull()).id, error_id("moodcull", "tooFewValues"));
}

// What no window reads is not checked: planes and weights when M or K is too
// small for any window, and pixels outside every judged window.
TEST(ClassifiersHost, UnreadValuesAreNotChecked) {
  for (bool mood : {false, true}) {
    const int side = mood ? 21 : 41;
    const char *function = mood ? "moodcull" : "stillcull";
    ClassifierCall small = mood ? moodcull_call() : stillcull_call();
    small.m = make_scalar(side - 1);
    empty_planes(small);
    small.weights = make_matrix(0, 0, {});
    const host::Matrix none = call1(function, mood ? small.moodcull() : small.stillcull());
    EXPECT_EQ(none.values, (std::vector<double>{2, 2})) << function;

    // A NaN in the last row of a plane one row and column larger lies in no
    // judged window: the only point's window spans rows 0..side-1.
    ClassifierCall taller = mood ? moodcull_call() : stillcull_call();
    std::vector<double> values = grey_values(side + 1, 2);
    values[side] = kNaN; // row side, column 0
    taller.plane2 = make_matrix(side + 1, side + 1, values);
    taller.plane0 = make_matrix(side + 1, side + 1, grey_values(side + 1, 0));
    taller.plane1 = make_matrix(side + 1, side + 1, grey_values(side + 1, 1));
    taller.m = make_scalar(side + 1);
    taller.k = make_scalar(side + 1);
    taller.points = make_matrix(1, 2, {double(side / 2), double(side / 2)});
    taller.n = make_scalar(1);
    taller.weights = make_matrix(1, 4, {1, 1, 1, kNaN});
    const host::Matrix out = call1(function, mood ? taller.moodcull() : taller.stillcull());
    EXPECT_EQ(out.values, std::vector<double>{1}) << function;
  }
}

} // namespace
