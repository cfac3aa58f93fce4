#pragma once
#include "gateway/function_frames.h"

// The two argument-count tests of every entry point. Returns the message to
// report, or nullptr when the counts are right. The output count is looked at
// only when the input count is right.
const char *check_arity(const FunctionFrame &frame, int output_count, int input_count);
