#include "gateway/frame.h"

#include <cstdlib>

#include "gateway/check_arity.h"
#include "gateway/input_checks.h"
#include "gateway/to_index.h"

namespace {

bool is_real_full_double(const mxArray *array) {
  return mxIsDouble(array) && !mxIsComplex(array) && !mxIsSparse(array);
}

bool is_real_number(const mxArray *array) {
  return (mxIsNumeric(array) || mxIsLogical(array)) && !mxIsComplex(array) &&
         mxGetNumberOfElements(array) == 1;
}

// Class tests come before anything is read through a data pointer.
void check_input_classes(const FunctionFrame &frame, const mxArray *prhs[]) {
  char name[64];
  for (int i = 0; i < frame.input_count; ++i) {
    const mxArray *array = prhs[i];
    if (frame.input_kinds[i] == kData && !is_real_full_double(array))
      report_input_error(frame, "notRealDouble",
                         "input %d (%s) must be a real, full double array, not %s%s%s", i + 1,
                         input_name(frame, i + 1, name), mxIsComplex(array) ? "complex " : "",
                         mxIsSparse(array) ? "sparse " : "", mxGetClassName(array));
    if (frame.input_kinds[i] == kScalar && !is_real_number(array))
      report_input_error(frame, "notRealScalar",
                         "input %d (%s) must be one real number, not a %s array of %lld values",
                         i + 1, input_name(frame, i + 1, name), mxGetClassName(array),
                         static_cast<long long>(mxGetNumberOfElements(array)));
  }
}

CallInputs read_inputs(const FunctionFrame &frame, const mxArray *prhs[]) {
  CallInputs inputs = {};
  inputs.handles = prhs;
  for (int i = 0; i < frame.input_count; ++i) {
    switch (frame.input_kinds[i]) {
    case kData:
      inputs.data[i] = mxGetPr(prhs[i]);
      break;
    case kUnreadData: // accepted as it is; never dereferenced
      inputs.data[i] = mxIsDouble(prhs[i]) ? mxGetPr(prhs[i]) : nullptr;
      break;
    case kScalar:
      inputs.scalar[i] = mxGetScalar(prhs[i]);
      break;
    }
  }
  return inputs;
}

int64_t dimension(int from_input, int fixed, const CallInputs &inputs) {
  if (from_input == 0)
    return fixed;
  const int32_t size = to_index(inputs.scalar[from_input - 1]);
  return size < 0 ? 0 : size;
}

} // namespace

void output_shape(const FunctionFrame &frame, const CallInputs &inputs, int64_t *rows,
                  int64_t *cols) {
  *rows = dimension(frame.rows_from_input, frame.fixed_rows, inputs);
  *cols = dimension(frame.cols_from_input, frame.fixed_cols, inputs);
}

void run_entry_point(const Deliverable &deliverable, int nlhs, mxArray *plhs[], int nrhs,
                     const mxArray *prhs[]) {
  const FunctionFrame *frame = find_function_frame(deliverable.name);
  if (frame == nullptr) {
    mexErrMsgTxt("planestat: this entry point names no known function.");
    return;
  }
  if (const char *message = check_arity(*frame, nlhs, nrhs)) {
    mexErrMsgTxt(message);
    return;
  }
  check_input_classes(*frame, prhs);
  const CallInputs inputs = read_inputs(*frame, prhs);
  if (deliverable.check != nullptr)
    deliverable.check(*frame, inputs);

  int64_t rows = 0;
  int64_t cols = 0;
  output_shape(*frame, inputs, &rows, &cols);
  plhs[0] = mxCreateDoubleMatrix(rows, cols, mxREAL);
  deliverable.run(inputs, mxGetPr(plhs[0]));
}
