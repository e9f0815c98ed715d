#pragma once
// The figure every benchmark prints: the median of its runs.

#include <algorithm>
#include <vector>

namespace bench {

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace bench
