#include "gateway/to_index.h"

#include <cmath>
#include <limits>

int32_t to_index(double value) {
  if (std::isnan(value))
    return 0;
  // Compare before converting: a double-to-int cast outside the range is undefined.
  if (value >= 2147483648.0)
    return std::numeric_limits<int32_t>::max();
  if (value <= -2147483649.0)
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value); // the cast truncates toward zero
}
