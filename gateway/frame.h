#pragma once
// The entry-point frame shared by the eight functions. A deliverable declares
// itself in a few lines:
//
//   DECLARE_DELIVERABLE(anchorfield, check_anchorfield_inputs, build_anchor_map);
//
// and gateway/mex_entry.cpp turns that declaration into the exported mexFunction.
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "gateway/function_frames.h"
#include "mex.h"

// The inputs as the frame read them, indexed by input number - 1.
struct CallInputs {
  const mxArray *const *handles;
  const double *data[kMaxInputs];
  double scalar[kMaxInputs];
};

// Checks a deliverable adds after the two count tests: sizes against the arrays
// really passed, point counts, pixel values. Reports through report_input_error.
using InputCheck = void (*)(const FunctionFrame &frame, const CallInputs &inputs);
using WorkerCall = void (*)(const CallInputs &inputs, double *output);

struct Deliverable {
  const char *name;
  InputCheck check; // may be nullptr
  WorkerCall run;
  std::string (*worker_kinds)(); // the input kinds the worker's signature implies
};

// The whole entry point: counts, input classes, added checks, output creation,
// worker. Every error goes through the host's error call, which does not return.
void run_entry_point(const Deliverable &deliverable, int nlhs, mxArray *plhs[], int nrhs,
                     const mxArray *prhs[]);

// Output rows and columns of a call: to_index of the named inputs or the fixed
// numbers; a negative or NaN size gives an empty dimension.
void output_shape(const FunctionFrame &frame, const CallInputs &inputs, int64_t *rows,
                  int64_t *cols);

// --- Calling a worker with the inputs its signature names ----------------------
// A worker takes each input as `const double *` (data) or `double` (scalar), in
// call order, then the output pointer; the parameter types pick what it gets.

template <typename T> T worker_argument(const CallInputs &inputs, size_t index);
template <>
inline const double *worker_argument<const double *>(const CallInputs &inputs, size_t index) {
  return inputs.data[index];
}
template <> inline double worker_argument<double>(const CallInputs &inputs, size_t index) {
  return inputs.scalar[index];
}

template <typename... Args, size_t... I>
void call_worker(void (*worker)(Args...), const CallInputs &inputs, double *output,
                 std::index_sequence<I...>) {
  using Parameters = std::tuple<Args...>;
  worker(worker_argument<std::tuple_element_t<I, Parameters>>(inputs, I)..., output);
}

template <typename... Args>
void call_worker(void (*worker)(Args...), const CallInputs &inputs, double *output) {
  static_assert(sizeof...(Args) >= 1, "a worker ends with its output pointer");
  call_worker(worker, inputs, output, std::make_index_sequence<sizeof...(Args) - 1>{});
}

template <auto Worker> void run_worker(const CallInputs &inputs, double *output) {
  call_worker(Worker, inputs, output);
}

// The input kinds a worker's signature implies, as frame-table letters: a test
// holds them against the table ('U' inputs are passed as data, so count as 'D').
template <typename... Args> std::string worker_input_kinds(void (*)(Args...)) {
  std::string kinds = {(std::is_same_v<Args, double> ? 'S' : 'D')...};
  kinds.pop_back(); // the output pointer
  return kinds;
}
template <auto Worker> std::string worker_kinds() {
  return worker_input_kinds(Worker);
}

// Declares deliverable `fn`: its name (the frame-table row), its added input
// checks and its worker. gateway/mex_entry.cpp exports it as mexFunction.
#define DECLARE_DELIVERABLE(fn, check, worker)                                                     \
  extern const Deliverable fn##_deliverable;                                                       \
  const Deliverable fn##_deliverable = {#fn, check, run_worker<worker>, worker_kinds<worker>}
