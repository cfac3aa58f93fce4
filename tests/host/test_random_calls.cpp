// Every function called many times with random, mostly wrong inputs: each call
// must either return an output of the shape its frame defines, holding only the
// values the function can produce, or end in a clear error of its own, and in
// both cases leave nothing allocated. Run under the sanitizers, this is also the
// check that no input makes a function read or write outside an array.
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Shape {
  const char *name;
  int inputs;
  const char *kinds; // D data, S scalar
};

const Shape kFunctions[] = {
    {"stillcull", 8, "DSDDDSSS"}, {"moodcull", 9, "DSDDDSSDS"}, {"anchorfield", 7, "DDDSSDS"},
    {"vigorfield", 7, "DDDSSDS"}, {"vigorsheet", 7, "DDDSSDS"}, {"ringsample", 2, "DS"},
    {"driftgauge", 4, "DSDS"},    {"rimvane", 3, "DSS"},
};

class RandomInputs {
public:
  explicit RandomInputs(uint32_t seed) : random_(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // Sizes near the windows' limits, fractions, and the values with no integer.
  double size() {
    const double sizes[] = {0,  1,  2.7, 10.9, 11, 12,   20,   21,  22,
                            25, 41, 42,  45,   -3, kNaN, kInf, 1e12};
    return sizes[pick(sizeof sizes / sizeof sizes[0])];
  }

  double value() {
    switch (pick(10)) {
    case 0: {
      const double odd[] = {-0.5, -1, 255.9, 256, kNaN, kInf, -kInf, 1e10, -1e10, 0};
      return odd[pick(10)];
    }
    case 1:
      return pick(50) - 5.0; // coordinates and vector components near a window
    default:
      return std::uniform_real_distribution<double>(0.0, 255.99)(random_);
    }
  }

  // Mostly the values the sizes ask for, sometimes one fewer or none.
  host::Array data(int64_t wanted) {
    if (pick(25) == 0)
      return host::make_array(host::ArrayClass::Single, 2, 2);
    int64_t count = wanted;
    if (pick(8) == 0)
      count = wanted > 0 ? wanted - 1 : 0;
    if (pick(20) == 0)
      count = 0;
    std::vector<double> values(static_cast<size_t>(count));
    for (double &v : values)
      v = value();
    return host::make_matrix(count, 1, values);
  }

private:
  std::mt19937 random_;
};

int64_t as_count(double v) {
  if (std::isnan(v) || v < 0)
    return 0;
  return v > 5000 ? 5000 : static_cast<int64_t>(v);
}

// Inputs for one call: scalars first (the data sizes follow from them).
std::vector<host::Array> random_call(const Shape &shape, RandomInputs &random) {
  std::vector<double> scalars(static_cast<size_t>(shape.inputs), 0.0);
  for (int i = 0; i < shape.inputs; ++i)
    if (shape.kinds[i] == 'S')
      scalars[i] = random.pick(3) == 0 ? random.value() : random.size();
  const std::string name = shape.name;
  std::vector<host::Array> inputs;
  for (int i = 0; i < shape.inputs; ++i) {
    if (shape.kinds[i] == 'S') {
      inputs.push_back(host::make_scalar(scalars[i]));
      continue;
    }
    int64_t wanted = 0;
    if (name == "stillcull" || name == "moodcull")
      wanted = i == 0 ? 2 * as_count(scalars[1]) : as_count(scalars[5]) * as_count(scalars[6]);
    else if (name == "anchorfield" || name == "vigorfield" || name == "vigorsheet")
      wanted = i == 5 ? 3 : as_count(scalars[3]) * as_count(scalars[4]);
    else
      wanted = 2 * as_count(scalars[i + 1]);
    if (name == "moodcull" && i == 7)
      wanted = 3;
    inputs.push_back(random.data(std::min<int64_t>(wanted, 100000)));
  }
  return inputs;
}

bool produces(const std::string &name, double v) {
  if (name == "stillcull" || name == "moodcull")
    return v == 1.0 || v == 2.0;
  if (name == "anchorfield")
    return v == -1.0 || v == 0.5 || v == 1.0;
  if (name == "vigorfield")
    return v == 0.5 || v == 1.0;
  if (name == "vigorsheet")
    return v <= 1.0; // 1 - a distance, finite for binnable pixels
  return true;       // coordinates, offsets and vectors may be anything the inputs make
}

TEST(RandomCalls, EndInAResultOrAClearErrorAndLeakNothing) {
  RandomInputs random(20261211);
  for (const Shape &shape : kFunctions) {
    int results = 0, errors = 0;
    for (int call = 0; call < 300; ++call) {
      const std::vector<host::Array> inputs = random_call(shape, random);
      try {
        const std::vector<host::Matrix> outputs = deliverable(shape.name).call(1, handles(inputs));
        ASSERT_EQ(outputs.size(), 1u);
        for (double v : outputs[0].values)
          ASSERT_TRUE(produces(shape.name, v)) << shape.name << " produced " << v;
        ++results;
      } catch (const host::MexError &error) {
        // A size the host cannot allocate ends in the host's own error.
        const bool own = error.id.rfind(std::string("planestat:") + shape.name + ":", 0) == 0;
        EXPECT_TRUE(own || error.id == "host:outOfMemory")
            << shape.name << ": " << error.id << " " << error.message;
        EXPECT_FALSE(error.message.empty());
        ++errors;
      }
      ASSERT_EQ(host::live_allocations(), 0) << shape.name;
    }
    // Both outcomes must really occur, or the inputs test nothing.
    EXPECT_GT(results, 20) << shape.name;
    EXPECT_GT(errors, 20) << shape.name;
  }
}

} // namespace
