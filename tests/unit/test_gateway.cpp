#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "gateway/check_arity.h"
#include "gateway/frame.h"
#include "gateway/to_index.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(ToIndex, TruncatesTowardZeroAndSaturatesSafely) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int32_t expected;
  } cases[] = {
      {3.9, 3},
      {-3.9, -3},
      {0.99, 0},
      {-0.5, 0},
      {-0.0, 0},
      {255.9, 255},
      {2147483647.0, kMax},
      {2147483647.9, kMax},
      {2147483648.0, kMax},
      {1e300, kMax},
      {inf, kMax},
      {-2147483648.0, kMin},
      {-2147483648.9, kMin},
      {-2147483649.0, kMin},
      {-inf, kMin},
      {std::nan(""), 0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(to_index(c.value), c.expected) << c.value;
}

TEST(HasHistogramBin, IsExactlyTheValuesThatTruncateIntoZeroTo255) {
  const struct {
    double value;
    bool binnable;
  } cases[] = {
      {-0.999, true}, {-1.0, false},         {0.0, true},    {255.999, true},
      {256.0, false}, {std::nan(""), false}, {1e300, false}, {-std::nextafter(1.0, 0.0), true}};
  for (const auto &c : cases) {
    EXPECT_EQ(has_histogram_bin(c.value), c.binnable) << c.value;
    if (c.binnable) {
      EXPECT_GE(to_index(c.value), 0);
      EXPECT_LE(to_index(c.value), 255);
    }
  }
}

TEST(CheckArity, InputCountComesFirstThenExactlyOneOutput) {
  const struct {
    const char *name;
    int inputs;
    const char *input_message;
    const char *output_message;
  } functions[] = {
      {"stillcull", 8, "func: stillcull() requires 8 input arguments.",
       "func: stillcull() requires 1 output argument."},
      {"anchorfield", 7, "func: anchorfield() requires 7 input arguments.",
       "func: anchorfield() requires 1 output argument."},
      {"vigorfield", 7, "func: vigorfield() requires 7 input arguments.",
       "func: vigorfield() requires 1 output argument."},
      {"moodcull", 9, "func: moodcull() requires 9 input arguments.",
       "func: moodcull() requires 1 output argument."},
      {"vigorsheet", 7, "func: vigorsheet() requires 7 input arguments.",
       "func: vigorsheet() requires 1 output argument."},
      {"rimvane", 3, "func: rimvane() requires 3 input arguments.",
       "func: rimvane() requires 1 output arguments."},
      {"driftgauge", 4, "func: driftgauge() requires 4 input arguments.",
       "func: driftgauge() requires 1 output arguments."},
      {"ringsample", 2, "func: ringsample() requires 2 input arguments.",
       "func: ringsample() requires 1 output arguments."},
  };
  for (const auto &f : functions) {
    const FunctionFrame *frame = find_function_frame(f.name);
    ASSERT_NE(frame, nullptr) << f.name;
    EXPECT_EQ(check_arity(*frame, 1, f.inputs), nullptr) << f.name;
    for (int outputs : {0, 2, -1})
      EXPECT_STREQ(check_arity(*frame, outputs, f.inputs), f.output_message) << f.name;
    for (int inputs : {0, f.inputs - 1, f.inputs + 1, -1})
      for (int outputs : {0, 1, 2})
        EXPECT_STREQ(check_arity(*frame, outputs, inputs), f.input_message) << f.name;
  }
  EXPECT_EQ(function_frames_end() - function_frames_begin(), 8);
  EXPECT_EQ(find_function_frame("nosuch"), nullptr);
}

TEST(FrameTable, EveryRowIsConsistent) {
  for (const FunctionFrame *frame = function_frames_begin(); frame != function_frames_end();
       ++frame) {
    EXPECT_EQ(std::string(frame->input_kinds).size(), static_cast<size_t>(frame->input_count))
        << frame->name;
    int names = 1;
    for (const char *p = frame->input_names; *p; ++p)
      names += *p == '|';
    EXPECT_EQ(names, frame->input_count) << frame->name;
    for (int from : {frame->rows_from_input, frame->cols_from_input}) {
      if (from != 0) {
        EXPECT_EQ(frame->input_kinds[from - 1], 'S') << frame->name;
      }
    }
  }
}

// Output shapes: to_index of the named inputs (3.7 x 2.2 -> 3 x 2), a fixed
// shape whatever the inputs hold, and an empty dimension for a negative or NaN size.
TEST(OutputShape, FollowsTheTable) {
  const struct {
    const char *name;
    int size_input_a, size_input_b; // 1-based, 0 for none
    double a, b;
    int64_t rows, cols;
  } cases[] = {
      {"anchorfield", 4, 5, 3.7, 2.2, 3, 2},
      {"vigorsheet", 4, 5, -3.0, 5.0, 0, 5},
      {"vigorfield", 4, 5, std::nan(""), 5.0, 0, 5},
      {"stillcull", 2, 0, 5.9, 0, 5, 1},
      {"moodcull", 2, 0, -1.0, 0, 0, 1},
      {"rimvane", 2, 0, 1e9, 0, 360, 2},
      {"ringsample", 2, 0, -7, 0, 360, 2},
      {"driftgauge", 2, 4, 7, 8, 1, 1},
  };
  for (const auto &c : cases) {
    CallInputs inputs = {};
    if (c.size_input_a)
      inputs.scalar[c.size_input_a - 1] = c.a;
    if (c.size_input_b)
      inputs.scalar[c.size_input_b - 1] = c.b;
    int64_t rows = -1, cols = -1;
    output_shape(*find_function_frame(c.name), inputs, &rows, &cols);
    EXPECT_EQ(rows, c.rows) << c.name;
    EXPECT_EQ(cols, c.cols) << c.name;
  }
}

} // namespace
