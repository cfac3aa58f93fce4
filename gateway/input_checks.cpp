#include "gateway/input_checks.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gateway/to_index.h"

namespace {

// Shortest text that reads back as the same double, in Octave's spelling of
// the special values.
void format_value(double value, char (&buffer)[40]) {
  if (std::isnan(value)) {
    std::strcpy(buffer, "NaN");
    return;
  }
  if (std::isinf(value)) {
    std::strcpy(buffer, value > 0 ? "Inf" : "-Inf");
    return;
  }
  const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
  *end.ptr = '\0';
}

} // namespace

void report_input_error(const FunctionFrame &frame, const char *reason, const char *format, ...) {
  char message[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  char id[96];
  std::snprintf(id, sizeof id, "planestat:%s:%s", frame.name, reason);
  mexErrMsgIdAndTxt(id, "%s", message);
  std::abort(); // the host's error call never returns
}

const char *input_name(const FunctionFrame &frame, int input, char (&buffer)[64]) {
  const char *name = frame.input_names;
  for (int i = 1; i < input && name != nullptr; ++i) {
    name = std::strchr(name, '|');
    if (name != nullptr)
      ++name;
  }
  if (name == nullptr)
    name = "";
  const size_t length = std::strcspn(name, "|");
  std::snprintf(buffer, sizeof buffer, "%.*s", static_cast<int>(length), name);
  return buffer;
}

void require_values(const FunctionFrame &frame, const CallInputs &inputs, int input, int64_t needed,
                    const char *why) {
  const int64_t held = static_cast<int64_t>(mxGetNumberOfElements(inputs.handles[input - 1]));
  if (held >= needed)
    return;
  char name[64];
  report_input_error(frame, "tooFewValues",
                     "input %d (%s) holds %lld values, fewer than the %lld that %s needs", input,
                     input_name(frame, input, name), static_cast<long long>(held),
                     static_cast<long long>(needed), why);
}

void require_point_list(const FunctionFrame &frame, const CallInputs &inputs, int points_input,
                        int count_input) {
  const int32_t count = to_index(inputs.scalar[count_input - 1]);
  char name[64];
  char value[40];
  if (count < 1) {
    format_value(inputs.scalar[count_input - 1], value);
    report_input_error(frame, "badCount", "input %d (%s) is %s; the point count must be at least 1",
                       count_input, input_name(frame, count_input, name), value);
  }
  const int64_t held =
      static_cast<int64_t>(mxGetNumberOfElements(inputs.handles[points_input - 1]));
  if (held / 2 < count)
    report_input_error(frame, "tooFewValues",
                       "input %d (%s) holds %lld points (%lld values), fewer than the %d points "
                       "that input %d asks for",
                       points_input, input_name(frame, points_input, name),
                       static_cast<long long>(held / 2), static_cast<long long>(held), count,
                       count_input);
}

void require_binnable_pixels(const FunctionFrame &frame, const CallInputs &inputs, int input,
                             int plane_number, int64_t rows, int64_t r0, int64_t r1, int64_t c0,
                             int64_t c1) {
  const double *plane = inputs.data[input - 1];
  for (int64_t c = c0; c <= c1; ++c)
    for (int64_t r = r0; r <= r1; ++r) {
      const double value = plane[r + c * rows];
      if (has_histogram_bin(value))
        continue;
      char text[40];
      format_value(value, text);
      report_input_error(frame, "badPixel",
                         "plane %d (input %d) holds %s at row %lld, column %lld; pixel values "
                         "must lie above -1 and below 256",
                         plane_number, input, text, static_cast<long long>(r + 1),
                         static_cast<long long>(c + 1));
    }
}
