#pragma once
// The table of --each-core after each pass: a row per processor with its place, the time of each
// benchmark, its ratio to the median processor's, and its verdict.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "recorded_results.h"

namespace tallyforge {

struct ProcessorRow {
  ProcessorPlace place;
  std::vector<std::optional<double>> seconds;  // per benchmark; none: no complete run
  std::vector<std::optional<double>> ratios;   // to the median processor's time
  // "verified", "WRONG: B9", "not checked: B8", "stopped: B9", "NOT RUN: why", "not reached"
  // (a stop came before its turn); the worst only.
  std::string verdict;
  bool wrong = false;
};

// The rows of pass in results (which must hold an each-core record), one per processor of its
// plan in order, for benchmarks in order.
std::vector<ProcessorRow> EachCoreRows(const RecordedResults& results, int pass,
                                       const std::vector<int>& benchmarks);

// Prints the rows under a heading naming the pass.
void PrintEachCoreTable(std::FILE* out, int pass, const std::vector<int>& benchmarks,
                        const std::vector<ProcessorRow>& rows);

}  // namespace tallyforge
