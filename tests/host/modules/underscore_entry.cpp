// A ringsample module that exports its entry point only as _mexFunction, the
// other name a host may look up: the loader must find it too.
#include "gateway/frame.h"

extern const Deliverable ringsample_deliverable;

extern "C" __attribute__((visibility("default"))) void
_mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]) {
  run_entry_point(ringsample_deliverable, nlhs, plhs, nrhs, prhs);
}
