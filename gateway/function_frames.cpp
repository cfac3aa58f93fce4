#include "gateway/function_frames.h"

#include <cstring>

namespace {

// The output-count messages differ on purpose: the window functions say
// "argument." and the direction functions "arguments."; callers match on them.
const FunctionFrame kFrames[] = {
    {"stillcull", 8, "DSUUDSSS", "points|n|plane 0|plane 1|plane 2|M|K|threshold", 2, 0, 0, 1,
     "func: stillcull() requires 8 input arguments.",
     "func: stillcull() requires 1 output argument."},
    {"anchorfield", 7, "DDDSSDS", "plane 0|plane 1|plane 2|M|N|weights|threshold", 4, 0, 5, 0,
     "func: anchorfield() requires 7 input arguments.",
     "func: anchorfield() requires 1 output argument."},
    {"vigorfield", 7, "DDDSSDS", "plane 0|plane 1|plane 2|M|N|weights|threshold", 4, 0, 5, 0,
     "func: vigorfield() requires 7 input arguments.",
     "func: vigorfield() requires 1 output argument."},
    {"moodcull", 9, "DSDDDSSDS", "points|n|plane 0|plane 1|plane 2|M|K|weights|threshold", 2, 0, 0,
     1, "func: moodcull() requires 9 input arguments.",
     "func: moodcull() requires 1 output argument."},
    {"vigorsheet", 7, "DDDSSDS", "plane 0|plane 1|plane 2|M|N|weights|threshold", 4, 0, 5, 0,
     "func: vigorsheet() requires 7 input arguments.",
     "func: vigorsheet() requires 1 output argument."},
    {"rimvane", 3, "DSS", "edge-element vectors|n|threshold", 0, 360, 0, 2,
     "func: rimvane() requires 3 input arguments.", "func: rimvane() requires 1 output arguments."},
    {"driftgauge", 4, "DSDS", "first contour|its n|second contour|its n", 0, 1, 0, 1,
     "func: driftgauge() requires 4 input arguments.",
     "func: driftgauge() requires 1 output arguments."},
    {"ringsample", 2, "DS", "contour points|n", 0, 360, 0, 2,
     "func: ringsample() requires 2 input arguments.",
     "func: ringsample() requires 1 output arguments."},
};

} // namespace

const FunctionFrame *function_frames_begin() {
  return kFrames;
}
const FunctionFrame *function_frames_end() {
  return kFrames + sizeof kFrames / sizeof kFrames[0];
}

const FunctionFrame *find_function_frame(const char *name) {
  for (const FunctionFrame *frame = function_frames_begin(); frame != function_frames_end();
       ++frame)
    if (std::strcmp(frame->name, name) == 0)
      return frame;
  return nullptr;
}
