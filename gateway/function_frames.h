#pragma once

// The fixed frame of each of the eight functions: how many inputs it takes,
// how each one is read, the shape of its one output and its two argument-count
// messages. One row per function in function_frames.cpp.

// How the frame reads an input.
enum InputKind : char {
  kData = 'D',   // pointer to the first double (mxGetPr); checked to be a real full double array
  kScalar = 'S', // the value as a double (mxGetScalar); checked to be one real number
  kUnreadData = 'U', // passed like kData but never read by the worker, so accepted unchecked
};

constexpr int kMaxInputs = 9;

struct FunctionFrame {
  const char *name;
  int input_count;
  const char *input_kinds; // one InputKind letter per input, in call order
  const char *input_names; // what each input is, '|'-separated, for error messages
  int rows_from_input;     // 1-based scalar input whose to_index gives the rows; 0: fixed_rows
  int fixed_rows;
  int cols_from_input; // likewise for the columns; 0: fixed_cols
  int fixed_cols;
  const char *input_count_message;
  const char *output_count_message;
};

// The row of the named function, or nullptr for a name that is not one of the eight.
const FunctionFrame *find_function_frame(const char *name);

// All eight rows, for tests and tools.
const FunctionFrame *function_frames_begin();
const FunctionFrame *function_frames_end();
