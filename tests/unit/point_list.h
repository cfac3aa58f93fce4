#pragma once
#include <utility>
#include <vector>

// A pair of coordinates or vector components: (x, y).
using Point = std::pair<double, double>;

// Points in the column-major n x 2 layout every function reads: x of point i
// at i, y at n + i.
inline std::vector<double> point_list(const std::vector<Point> &points) {
  const size_t n = points.size();
  std::vector<double> list(2 * n);
  for (size_t i = 0; i < n; ++i) {
    list[i] = points[i].first;
    list[n + i] = points[i].second;
  }
  return list;
}
