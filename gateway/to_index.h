#pragma once
#include <cstdint>

// Every double-to-integer conversion in planestat: truncation toward zero into
// a 32-bit signed integer (3.9 -> 3, -3.9 -> -3, -0.5 -> 0).
//
// Values with no 32-bit truncation are made safe rather than undefined:
//   NaN          -> 0            (sizes and counts become empty, and a
//                                 coordinate of 0 fails every window test,
//                                 since every window reaches at least one
//                                 pixel beyond its centre)
//   >= 2^31      -> INT32_MAX    (+Inf included; fails "centre + radius < size")
//   <= -2^31 - 1 -> INT32_MIN    (-Inf included; fails "centre - radius >= 0")
int32_t to_index(double value);

// True when to_index(value) is a histogram bin 0..255: above -1 and below 256
// (NaN and the infinities have no bin).
inline bool has_histogram_bin(double value) {
  return value > -1.0 && value < 256.0;
}
