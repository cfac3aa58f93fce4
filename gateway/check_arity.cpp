#include "gateway/check_arity.h"

const char *check_arity(const FunctionFrame &frame, int output_count, int input_count) {
  if (input_count != frame.input_count)
    return frame.input_count_message;
  if (output_count != 1)
    return frame.output_count_message;
  return nullptr;
}
