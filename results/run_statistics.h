#pragma once
// Statistics over repeated measurements: free functions over plain vectors of seconds.
#include <cstddef>
#include <optional>
#include <vector>

namespace tallyforge {

// The middle value (the mean of the two middle ones for an even count); none when empty.
std::optional<double> Median(std::vector<double> values);
std::optional<double> Mean(const std::vector<double>& values);
// Sample standard deviation (n - 1), two-pass; none with fewer than two values.
std::optional<double> SampleStdDev(const std::vector<double>& values);

struct Summary {
  size_t count = 0;
  double min = 0;
  double median = 0;
  double max = 0;
  double mean = 0;
  // The following need at least two values.
  std::optional<double> stddev;
  std::optional<double> spread;  // (max - min) / median; none too when the median is 0
  std::optional<double> ciLow;   // 95% confidence interval of the median
  std::optional<double> ciHigh;
};

// None when values is empty. The interval is median +- t(0.975, n-1) * sqrt(pi/2) * s / sqrt(n),
// the large-sample standard error of the median of normally spread times.
std::optional<Summary> Summarise(const std::vector<double>& values);

}  // namespace tallyforge
