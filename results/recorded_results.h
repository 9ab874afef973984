#pragma once
// What a session recorded: its runs, each benchmark's statistics and verdicts, and the stress
// runs' scores with their statistics. The statistics are made again as each run or score is
// added, here only: the document, the console and the stability loop just print them.
#include <optional>
#include <string>
#include <vector>

#include "benchmark_summary.h"
#include "processor_topology.h"
#include "run_record.h"
#include "run_statistics.h"

namespace tallyforge {

// A processor of --each-core that could not take its turn in a pass (offline, or no longer
// allowed), and why.
struct ProcessorNotRun {
  int pass = 1;
  int processor = 0;
  std::string reason;
};

// What --each-core set out to do and could not: the processors in the order they take their
// turns, those left out because the process may not use them, and the turns not taken.
struct EachCoreRecord {
  std::vector<ProcessorPlace> processors;
  std::vector<int> leftOut;
  std::vector<ProcessorNotRun> notRun;
};

struct RecordedResults {
  std::vector<RecordedRun> runs;
  std::vector<BenchmarkSummary> benchmarks;  // one per benchmark that ran, in first-run order
  std::vector<PassScore> scores;             // one per stress pass
  std::optional<Summary> scoreStatistics;    // over the passes with a score
  int pass = 1;  // the pass under way: with the stability loop, the passes begun
  std::optional<EachCoreRecord> eachCore;  // --each-core only
};

// Adds run, and makes its benchmark's summary again (logicalCores: for the noise verdict).
void AddRun(RecordedResults& results, RecordedRun run, int logicalCores);

// Adds the total score cell of a stress pass (scored: it ran to its end), with its value, and
// makes the scores' statistics again.
void AddScore(RecordedResults& results, int pass, bool scored, const std::string& cell);

// The numeric value of a score cell ("1000\n" gives 1000); none for "n/a" or an empty cell.
std::optional<double> ScoreValue(const std::string& text);

}  // namespace tallyforge
