// The median of a set of samples: the figure reported, as it shrugs off the odd slow run of
// a shared machine.
#pragma once

#include <algorithm>
#include <vector>

namespace bench {

inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  if (samples.size() % 2 != 0) return samples[middle];
  return (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace bench
