// The exported entry point of one deliverable. This file is compiled once per
// deliverable with PLANESTAT_DELIVERABLE naming that deliverable's declaration
// (e.g. anchorfield_deliverable, in maps/anchorfield.cpp).
#include "gateway/frame.h"

#ifndef PLANESTAT_DELIVERABLE
#error "compile with -DPLANESTAT_DELIVERABLE=<name>_deliverable"
#endif

extern const Deliverable PLANESTAT_DELIVERABLE;

extern "C" __attribute__((visibility("default"))) void
mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]) {
  run_entry_point(PLANESTAT_DELIVERABLE, nlhs, plhs, nrhs, prhs);
}
