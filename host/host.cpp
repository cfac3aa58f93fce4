// planestat's own host: the MEX operations the deliverables call, with every
// allocation of a call tracked so that a failed call frees all of it.
#include "host/host.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <set>

struct mxArray_tag {
  host::ArrayClass array_class = host::ArrayClass::Double;
  bool complex = false;
  bool sparse = false;
  int64_t rows = 0;
  int64_t cols = 0;
  std::vector<double> values;
};

namespace {

// What the call in progress has taken from the host and not yet given back.
std::set<void *> live_blocks;
std::set<mxArray *> live_arrays;

// Thrown by the error calls and caught by Function::call, which knows the name.
struct ErrorCall {
  std::string id;
  std::string message;
};

mxArray *new_array(host::ArrayClass array_class, int64_t rows, int64_t cols) {
  auto *array = new mxArray_tag;
  array->array_class = array_class;
  array->rows = rows;
  array->cols = cols;
  array->values.assign(static_cast<size_t>(rows * cols), 0.0);
  return array;
}

void free_everything_live() {
  for (void *block : live_blocks)
    std::free(block);
  live_blocks.clear();
  for (mxArray *array : live_arrays)
    delete array;
  live_arrays.clear();
}

std::string base_name(const std::string &path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.substr(0, name.find('.'));
}

} // namespace

extern "C" {

double *mxGetPr(const mxArray *array) {
  return const_cast<double *>(array->values.data());
}

double mxGetScalar(const mxArray *array) {
  return array->values.empty() ? 0.0 : array->values.front();
}

mxArray *mxCreateDoubleMatrix(mwSize rows, mwSize cols, mxComplexity complexity) {
  if (rows < 0 || cols < 0)
    mexErrMsgIdAndTxt("host:negativeSize", "mxCreateDoubleMatrix: negative size %lld x %lld",
                      static_cast<long long>(rows), static_cast<long long>(cols));
  // Like a real host, refuse an array that cannot be had instead of failing
  // later; this test host stops at 2 GiB of doubles.
  constexpr int64_t kMaxElements = int64_t{1} << 28;
  if ((cols > 0 && rows > kMaxElements / cols) || rows * cols > kMaxElements)
    mexErrMsgIdAndTxt("host:outOfMemory", "out of memory or dimension too large: %lld x %lld",
                      static_cast<long long>(rows), static_cast<long long>(cols));
  mxArray *array = new_array(host::ArrayClass::Double, rows, cols);
  array->complex = complexity == mxCOMPLEX;
  live_arrays.insert(array);
  return array;
}

void *mxMalloc(size_t bytes) {
  void *block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr)
    mexErrMsgIdAndTxt("host:outOfMemory", "mxMalloc: out of memory for %zu bytes", bytes);
  live_blocks.insert(block);
  return block;
}

void mxFree(void *block) {
  if (block == nullptr)
    return;
  if (live_blocks.erase(block) == 0)
    std::abort(); // freeing what mxMalloc did not hand out: a bug worth a crash in tests
  std::free(block);
}

void mexErrMsgTxt(const char *message) {
  throw ErrorCall{"", message};
}

void mexErrMsgIdAndTxt(const char *id, const char *format, ...) {
  char message[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  throw ErrorCall{id, message};
}

bool mxIsDouble(const mxArray *array) {
  return array->array_class == host::ArrayClass::Double;
}
bool mxIsComplex(const mxArray *array) {
  return array->complex;
}
bool mxIsSparse(const mxArray *array) {
  return array->sparse;
}
bool mxIsLogical(const mxArray *array) {
  return array->array_class == host::ArrayClass::Logical;
}

bool mxIsNumeric(const mxArray *array) {
  switch (array->array_class) {
  case host::ArrayClass::Double:
  case host::ArrayClass::Single:
  case host::ArrayClass::Int32:
  case host::ArrayClass::Uint8:
    return true;
  default:
    return false;
  }
}

size_t mxGetNumberOfElements(const mxArray *array) {
  return static_cast<size_t>(array->rows * array->cols);
}

const char *mxGetClassName(const mxArray *array) {
  switch (array->array_class) {
  case host::ArrayClass::Double:
    return "double";
  case host::ArrayClass::Single:
    return "single";
  case host::ArrayClass::Int32:
    return "int32";
  case host::ArrayClass::Uint8:
    return "uint8";
  case host::ArrayClass::Logical:
    return "logical";
  case host::ArrayClass::Char:
    return "char";
  case host::ArrayClass::Cell:
    return "cell";
  }
  return "unknown";
}

} // extern "C"

namespace host {

void ArrayDeleter::operator()(mxArray *array) const {
  delete array;
}

Array make_matrix(int64_t rows, int64_t cols, const std::vector<double> &values) {
  Array array(new_array(ArrayClass::Double, rows, cols));
  std::copy_n(values.begin(), std::min(values.size(), array->values.size()), array->values.begin());
  return array;
}

Array make_scalar(double value) {
  return make_matrix(1, 1, {value});
}

Array make_array(ArrayClass array_class, int64_t rows, int64_t cols, bool complex, bool sparse) {
  Array array(new_array(array_class, rows, cols));
  array->complex = complex;
  array->sparse = sparse;
  return array;
}

MexError::MexError(const std::string &function, std::string id_, std::string message_)
    : std::runtime_error(function + ": " + message_), id(std::move(id_)),
      message(std::move(message_)) {}

Function::Function(const std::string &path) : name_(base_name(path)) {
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr)
    throw std::runtime_error("cannot open " + path + ": " + dlerror());
  void *entry = dlsym(library_, "mexFunction");
  if (entry == nullptr)
    entry = dlsym(library_, "_mexFunction");
  if (entry == nullptr) {
    dlclose(library_);
    throw std::runtime_error(path + " exports neither mexFunction nor _mexFunction");
  }
  entry_ = reinterpret_cast<EntryPoint>(entry);
}

Function::~Function() {
  dlclose(library_);
}

std::vector<Matrix> Function::call(int nlhs, const std::vector<const mxArray *> &inputs) const {
  std::vector<mxArray *> outputs(static_cast<size_t>(std::max(nlhs, 1)), nullptr);
  std::vector<const mxArray *> arguments(inputs);
  try {
    entry_(nlhs, outputs.data(), static_cast<int>(arguments.size()), arguments.data());
  } catch (const ErrorCall &error) {
    free_everything_live();
    throw MexError(name_, error.id, error.message);
  } catch (...) {
    free_everything_live();
    throw;
  }
  const bool leaked = !live_blocks.empty();
  std::vector<Matrix> results;
  for (mxArray *output : outputs) {
    if (output == nullptr)
      continue;
    live_arrays.erase(output);
    results.push_back(Matrix{output->rows, output->cols, output->values});
    delete output;
  }
  free_everything_live();
  if (leaked)
    throw std::logic_error(name_ + ": a call returned without freeing its scratch blocks");
  return results;
}

int64_t live_allocations() {
  return static_cast<int64_t>(live_blocks.size() + live_arrays.size());
}

} // namespace host
