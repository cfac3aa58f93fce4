#pragma once
// Opening the built deliverables in our own host and calling them as Octave would.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"

inline const host::Function &deliverable(const std::string &name) {
  static std::map<std::string, std::unique_ptr<host::Function>> opened;
  std::unique_ptr<host::Function> &function = opened[name];
  if (!function)
    function =
        std::make_unique<host::Function>(std::string(PLANESTAT_HOST_MODULES) + "/" + name + ".so");
  return *function;
}

// Calls `name` with one output requested and returns that output.
inline host::Matrix call1(const std::string &name, const std::vector<const mxArray *> &inputs) {
  std::vector<host::Matrix> outputs = deliverable(name).call(1, inputs);
  EXPECT_EQ(outputs.size(), 1u);
  EXPECT_EQ(host::live_allocations(), 0);
  return outputs.empty() ? host::Matrix{} : outputs.front();
}

// The error a call raises: its identifier and its message exactly as passed.
struct RaisedError {
  std::string id;
  std::string message;
};

inline RaisedError call_error(const std::string &name, int nlhs,
                              const std::vector<const mxArray *> &inputs) {
  try {
    deliverable(name).call(nlhs, inputs);
  } catch (const host::MexError &error) {
    EXPECT_EQ(host::live_allocations(), 0) << "a failed call must free what it took";
    return {error.id, error.message};
  }
  ADD_FAILURE() << name << " raised no error";
  return {};
}

// Handles of a list of owned arrays, in order.
inline std::vector<const mxArray *> handles(const std::vector<host::Array> &arrays) {
  std::vector<const mxArray *> list;
  for (const host::Array &array : arrays)
    list.push_back(array.get());
  return list;
}

// The ids raised by the added input checks.
inline std::string error_id(const std::string &function, const std::string &reason) {
  return "planestat:" + function + ":" + reason;
}
