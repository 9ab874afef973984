#include "workload.h"

#include <cstdio>

namespace tallyforge {

Workload Workload::Standard() {
  return Workload{
      .ranges = {{
          {5, 2000000, 10000},
          {10000005, 12000000, 8000},
          {100000005, 102000000, 6000},
          {1000000005, 1002000000, 4000},
          {10000000005, 10002000000, 2000},
          {100000000005, 100002000000, 1000},
          {1000000000005, 1000002000000, 500},
      }},
      .mixedLimit = 10000000,
      .factorFirst = 1000000000,
      .factorLast = 1000020000,
  };
}

Workload Workload::Short(double rangeLength, int32_t reportInterval, int32_t mixedLimit,
                         double factorFirst, double factorLast) {
  Workload work = Standard();
  for (RangeSpec& range : work.ranges) range = {range.start, range.start + rangeLength, reportInterval};
  work.mixedLimit = mixedLimit;
  work.factorFirst = factorFirst;
  work.factorLast = factorLast;
  return work;
}

std::string NumbersFileName(double start) {
  char name[64];
  std::snprintf(name, sizeof name, "Numbers_%013.0f.txt", start);
  return name;
}

std::string BenchmarkName(int bench) {
  std::string name = "B";  // appended, not "B" + ...: g++ 12 warns falsely (-Wrestrict)
  name += std::to_string(bench);
  return name;
}

}  // namespace tallyforge
