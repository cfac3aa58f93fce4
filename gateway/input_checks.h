#pragma once
// Checks added after the two argument-count tests, so that a bad call ends in a
// clear error instead of a read outside an array. Each reports through the
// host's error call with an identifier "planestat:<function>:<reason>" and does
// not return when it reports.
#include <cstdint>

#include "gateway/frame.h"

[[noreturn]] void report_input_error(const FunctionFrame &frame, const char *reason,
                                     const char *format, ...) __attribute__((format(printf, 3, 4)));

// The name of input `input` (1-based) as the frame table gives it, e.g. "plane 2".
const char *input_name(const FunctionFrame &frame, int input, char (&buffer)[64]);

// Data input `input` must hold at least `needed` doubles; `why` says what needs them.
void require_values(const FunctionFrame &frame, const CallInputs &inputs, int input, int64_t needed,
                    const char *why);

// The point count of scalar input `count_input` must be at least 1 and its point
// list (data input `points_input`) must hold 2 values per point.
void require_point_list(const FunctionFrame &frame, const CallInputs &inputs, int points_input,
                        int count_input);

// Every pixel of rows r0..r1, columns c0..c1 of the plane in data input
// `input` (column stride `rows`) must have a histogram bin (above -1, below 256).
// `plane_number` is the plane's own number (0, 1 or 2) for the message.
void require_binnable_pixels(const FunctionFrame &frame, const CallInputs &inputs, int input,
                             int plane_number, int64_t rows, int64_t r0, int64_t r1, int64_t c0,
                             int64_t c1);
