#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gateway/frame.h"

// A deliverable's worker signature must take its inputs the way its frame-table
// row reads them (unread data inputs are passed as pointers too).
inline void expect_declaration_matches_frame(const Deliverable &deliverable) {
  const FunctionFrame *frame = find_function_frame(deliverable.name);
  ASSERT_NE(frame, nullptr) << deliverable.name;
  std::string table_kinds = frame->input_kinds;
  std::replace(table_kinds.begin(), table_kinds.end(), 'U', 'D');
  EXPECT_EQ(deliverable.worker_kinds(), table_kinds) << deliverable.name;
}
