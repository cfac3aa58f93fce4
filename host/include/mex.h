#pragma once
// planestat's own minimal MEX host: the array and error operations the
// deliverables use, with the same names and meanings as in the real hosts, so
// the same sources build against either. Implemented in host/host.cpp.
#include <cstddef>
#include <cstdint>

typedef struct mxArray_tag mxArray;
typedef int64_t mwSize;
typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

extern "C" {

double *mxGetPr(const mxArray *array);
double mxGetScalar(const mxArray *array);
mxArray *mxCreateDoubleMatrix(mwSize rows, mwSize cols, mxComplexity complexity);
void *mxMalloc(size_t bytes);
void mxFree(void *block);
void mexErrMsgTxt(const char *message);
void mexErrMsgIdAndTxt(const char *id, const char *format, ...);

// Used by the input checks added after the argument counts.
bool mxIsDouble(const mxArray *array);
bool mxIsComplex(const mxArray *array);
bool mxIsSparse(const mxArray *array);
bool mxIsNumeric(const mxArray *array);
bool mxIsLogical(const mxArray *array);
size_t mxGetNumberOfElements(const mxArray *array);
const char *mxGetClassName(const mxArray *array);

// The entry point every deliverable exports.
void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]);
}
