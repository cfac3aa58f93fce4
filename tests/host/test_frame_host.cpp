// The frame of all eight functions, through the built modules: the two
// argument-count messages, exactly as each function words them.
#include <string>
#include <vector>

#include "host_fixture.h"

namespace {

// The input count is tested first and alone; the output count only with the
// right input count. Null handles prove that nothing is read before.
TEST(FrameHost, ArgumentCountMessagesComeFirst) {
  const struct {
    const char *name;
    int inputs;
    const char *outputs_noun; // the direction functions say "arguments."
  } functions[] = {
      {"stillcull", 8, "argument"},   {"moodcull", 9, "argument"},   {"anchorfield", 7, "argument"},
      {"vigorfield", 7, "argument"},  {"vigorsheet", 7, "argument"}, {"ringsample", 2, "arguments"},
      {"driftgauge", 4, "arguments"}, {"rimvane", 3, "arguments"},
  };
  for (const auto &f : functions) {
    const std::string name = f.name;
    const std::string input_message =
        "func: " + name + "() requires " + std::to_string(f.inputs) + " input arguments.";
    const std::string output_message =
        "func: " + name + "() requires 1 output " + f.outputs_noun + ".";
    for (int nrhs : {0, 1, f.inputs - 1, f.inputs + 1, f.inputs + 2})
      for (int nlhs : {0, 1, 2, 3}) {
        if (nrhs == f.inputs)
          continue;
        const std::vector<const mxArray *> unread(static_cast<size_t>(nrhs), nullptr);
        const RaisedError error = call_error(name, nlhs, unread);
        EXPECT_EQ(error.message, input_message) << name << " " << nlhs << " " << nrhs;
        EXPECT_EQ(error.id, "");
      }
    for (int nlhs : {0, 2, 3}) {
      const std::vector<const mxArray *> unread(static_cast<size_t>(f.inputs), nullptr);
      const RaisedError error = call_error(name, nlhs, unread);
      EXPECT_EQ(error.message, output_message) << name << " " << nlhs;
      EXPECT_EQ(error.id, "");
    }
  }
}

} // namespace
