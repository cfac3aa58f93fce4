#pragma once
// The C++ side of planestat's own host, for tests, sanitizers and fuzzing:
// arrays a test builds, a loader that opens a built deliverable and calls its
// entry point, and the host's error call turned into a C++ exception.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "mex.h"

namespace host {

enum class ArrayClass { Double, Single, Int32, Uint8, Logical, Char, Cell };

struct ArrayDeleter {
  void operator()(mxArray *array) const;
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

// A rows x cols real double array holding `values` in column-major order
// (padded with zeros when shorter).
Array make_matrix(int64_t rows, int64_t cols, const std::vector<double> &values);
Array make_scalar(double value);
// Any other kind of array, for the class checks: its values are all zero.
Array make_array(ArrayClass array_class, int64_t rows, int64_t cols, bool complex = false,
                 bool sparse = false);

// A plain copy of an output array.
struct Matrix {
  int64_t rows = 0;
  int64_t cols = 0;
  std::vector<double> values;
  double at(int64_t r, int64_t c) const { return values.at(r + c * rows); }
};

// The host's error call, as a C++ exception. message is the text exactly as
// the deliverable passed it; what() puts the function's name in front, as
// Octave does.
struct MexError : std::runtime_error {
  MexError(const std::string &function, std::string id, std::string message);
  std::string id;
  std::string message;
};

// A built deliverable, opened for calls.
class Function {
public:
  explicit Function(const std::string &path); // throws std::runtime_error if it cannot be opened
  ~Function();
  Function(const Function &) = delete;
  Function &operator=(const Function &) = delete;

  const std::string &name() const { return name_; }

  // Calls the entry point with nlhs outputs requested. Returns the outputs the
  // deliverable set, or throws MexError with everything the failed call
  // allocated already freed. Scratch blocks a successful call leaves behind
  // are a leak: they are freed and reported as std::logic_error.
  std::vector<Matrix> call(int nlhs, const std::vector<const mxArray *> &inputs) const;

private:
  using EntryPoint = void (*)(int, mxArray *[], int, const mxArray *[]);
  std::string name_;
  void *library_ = nullptr;
  EntryPoint entry_ = nullptr;
};

// Blocks from mxMalloc and arrays from mxCreateDoubleMatrix not yet freed or
// handed to the caller: 0 between calls.
int64_t live_allocations();

} // namespace host
