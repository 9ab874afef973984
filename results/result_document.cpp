#include "result_document.h"

#include <cstdlib>
#include <ctime>

#include "formats.h"
#include "reference_machine.h"
#include "remainder.h"
#include "version.h"
#include "workload.h"

namespace tallyforge {
namespace {

std::string ReferenceStatusName(ReferenceStatus status) {
  switch (status) {
    case ReferenceStatus::kRead: return "read";
    case ReferenceStatus::kMissing: return "missing";
    case ReferenceStatus::kNotAFile: return "not-a-file";
    case ReferenceStatus::kReadError: return "read-error";
  }
  return "unknown";
}

// A cell as the board shows it, less the newline a reference or score line keeps.
std::string Cell(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::optional<DocumentStatistics> StatisticsOf(const std::optional<Summary>& stats) {
  if (!stats) return std::nullopt;
  DocumentStatistics s{static_cast<int64_t>(stats->count), stats->min, stats->median, stats->max,
                       stats->mean, stats->stddev, stats->spread, std::nullopt};
  if (stats->ciLow) s.ci95 = std::vector<double>{*stats->ciLow, *stats->ciHigh};
  return s;
}

std::optional<DocumentVerification> VerificationOf(const RecordedRun& run) {
  if (!run.outcome.ran) return std::nullopt;
  const Verification& check = run.check.verification;
  DocumentVerification result;
  result.status = check.status;
  result.partial = check.partial;
  result.checked = check.checked;
  result.seconds = check.seconds;
  result.text = VerificationText(check);
  if (check.wrong()) {
    result.line = check.line;
    result.place = check.place;
    result.found = check.found;
    result.expected = check.expected;
    result.reason = check.reason;
  }
  return result;
}

DocumentRun RunOf(const RecordedRun& run) {
  const RunOutcome& o = run.outcome;
  DocumentRun result;
  result.pass = run.pass;
  result.benchmark = BenchmarkName(o.bench);
  result.ran = o.ran;
  result.stopped = o.stopped;
  result.ticks = o.ticks;
  result.seconds = TicksToSeconds(o.ticks);
  result.found = o.found;
  result.cells = {Cell(run.yourTime), Cell(run.refTime), Cell(run.percent)};
  if (o.ran && !run.percent.empty() && run.percent != kNoTimeText) {
    result.percent = std::atoi(run.percent.c_str());  // a number only where the cell holds one
  }
  for (int32_t ticks : run.progressTicks) result.progressSeconds.push_back(TicksToSeconds(ticks));
  if (!o.file.empty()) result.outputFile = o.file.filename().string();
  result.outputSha256 = run.fileSha256;
  result.fileError = o.fileError;
  result.verification = VerificationOf(run);
  result.processor = run.processor;
  return result;
}

DocumentBenchmark BenchmarkOf(const BenchmarkSummary& s) {
  return {BenchmarkName(s.bench), StatisticsOf(s.stats), {s.noise.verdict, s.noise.causes},
          {s.slowdown.verdict, s.slowdown.worstRatio, s.slowdown.worstPass, s.slowdown.noise}};
}

DocumentJobCount JobCountOf(const CountResult& count) {
  DocumentJobCount result{count.copies, {}, count.throughput, count.efficiency};
  for (const CopyResult& copy : count.results) {
    result.results.push_back({copy.folder, copy.exitCode, copy.seconds, copy.complete, copy.state});
  }
  return result;
}

DocumentEachCore EachCoreOf(const EachCoreRecord& record) {
  DocumentEachCore result;
  for (const ProcessorPlace& p : record.processors) {
    result.processors.push_back({p.processor, p.core, p.package, p.kind});
  }
  result.leftOut.assign(record.leftOut.begin(), record.leftOut.end());
  for (const ProcessorNotRun& n : record.notRun) {
    result.notRun.push_back({n.pass, n.processor, n.reason});
  }
  return result;
}

}  // namespace

DocumentContext ContextAt(const std::filesystem::path& directory, const ReferenceTexts& reference) {
  DocumentContext context;
  context.time = UtcTimestamp();
  context.machine = ReadMachineFacts();
  const std::filesystem::path path = directory / kReferenceFileName;
  std::error_code ec;
  context.referencePath = std::filesystem::absolute(path, ec).lexically_normal().string();
  context.reference = reference;
  context.referenceMachine = ReadReferenceMachine(path);
  return context;
}

ResultDocument BuildDocument(const DocumentContext& context, const RecordedResults& results,
                             const std::optional<std::vector<CountResult>>& jobs,
                             bool finished) {
  ResultDocument document;
  document.program = {"tallyforge-cli", kVersion, kCommit, kCompiler, kBuildFlags};
  document.time = context.time;
  document.arguments = context.arguments;
  document.mode = context.stress ? "stress" : "benchmarks";
  document.repeat = context.loop ? results.pass : context.repeat;
  document.workload = context.standardWorkload ? "standard" : "custom";
  const MachineFacts& m = context.machine;
  document.machine = {m.cpuModel, m.logicalCores, m.physicalCores,
                      static_cast<int64_t>(m.memoryBytes), m.osName, m.kernel,
                      m.architecture, DescribeMachine(m)};
  document.reference = {context.referencePath, ReferenceStatusName(context.reference.status), {},
                        context.referenceMachine};
  for (const std::string& line : context.reference.lines) document.reference.times.push_back(Cell(line));
  for (const RecordedRun& run : results.runs) document.runs.push_back(RunOf(run));
  for (const BenchmarkSummary& s : results.benchmarks) document.benchmarks.push_back(BenchmarkOf(s));
  for (const PassScore& score : results.scores) {
    document.totalScore.passes.push_back({score.pass, Cell(score.text), score.value});
  }
  document.totalScore.statistics = StatisticsOf(results.scoreStatistics);
  if (jobs) {
    document.jobs.emplace();
    for (const CountResult& count : *jobs) document.jobs->push_back(JobCountOf(count));
  }
  document.integrity.algorithm = "sha256";
  document.remainder = kRemainderName;
  document.stop = context.stop;
  if (results.eachCore) document.eachCore = EachCoreOf(*results.eachCore);
  document.finished = finished && !context.stop;
  return document;
}

bool IsStandardWorkload(const ResultDocument& document) { return document.workload == "standard"; }

std::string ArithmeticOf(const ResultDocument& document) {
  return document.remainder ? *document.remainder : "unknown (older document)";
}

bool SameArithmetic(const ResultDocument& a, const ResultDocument& b) {
  return a.remainder && b.remainder && *a.remainder == *b.remainder;
}

const char* CheckStatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::kVerified: return "verified";
    case CheckStatus::kWrong: return "wrong";
    case CheckStatus::kUnreadable: return "unreadable";
    case CheckStatus::kNotChecked: return "not checked";
  }
  return "not checked";
}

std::string UtcTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

}  // namespace tallyforge
