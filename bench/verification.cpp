#include "verification.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "output_file.h"
#include "regular_file.h"
#include "verifiers.h"
#include "text_lines.h"

namespace tallyforge {
namespace {

// Far above any complete result file (B1's is about 1 MB); a larger file is not read.
constexpr size_t kLargestResultFile = 256 << 20;

// The whole of a result file, or why not.
FileText ReadResultFile(const std::filesystem::path& path) {
  FileText file = ReadRegularFile(path, kLargestResultFile);
  if (file.truncated) {
    file.text.reset();
    file.error = "larger than any result file";
  }
  return file;
}

Verification CheckOutcome(const RunOutcome& outcome, const Workload& workload) {
  Verification result;
  if (!outcome.ran) {
    result.reason = "the benchmark did not run";
    return result;
  }
  if (outcome.fileError != 0) {
    result.reason = std::string("the file is incomplete (") + std::strerror(outcome.fileError) + ")";
    return result;
  }
  const bool complete = !outcome.stopped;
  if (outcome.bench == kMixedBench) return CheckMixedRun(outcome, workload.mixedLimit);
  if (outcome.bench < 1 || outcome.bench > kFactorBench) {
    result.reason = "no such benchmark";
    return result;
  }
  FileText file = ReadResultFile(outcome.file);
  if (!file.text) {
    result.status = CheckStatus::kUnreadable;
    result.reason = file.error;
    return result;
  }
  // Written in text mode: every line ends as the platform's text mode ends it, nothing else.
  const LfText lines = FromTextMode(*file.text, kTextLineEnd);
  if (lines.badLine != 0) {
    return MarkWrong(result, lines.badLine, lines.badText, "",
                     "the line ends in LF alone, not in CR LF as a text-mode file's lines do");
  }
  if (outcome.bench == kFactorBench) {
    return CheckFactorsText(lines.text, workload.factorFirst, workload.factorLast, complete);
  }
  return CheckNumbersText(lines.text, workload.ranges[static_cast<size_t>(outcome.bench - 1)],
                          outcome.bench == 1, complete);
}

// A file's text as one printable line, cut to a readable length.
std::string Shown(const std::string& text) {
  std::string shown;
  for (unsigned char c : text.substr(0, 80)) shown += (c < 0x20 || c >= 0x7f) ? '?' : char(c);
  return text.size() > 80 ? shown + "..." : shown;
}

}  // namespace

Verification VerifyRun(const RunOutcome& outcome, const Workload& workload) {
  const auto start = std::chrono::steady_clock::now();
  Verification result = CheckOutcome(outcome, workload);
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.bench = outcome.bench;
  if (outcome.bench != kMixedBench) result.file = outcome.file;
  return result;
}

std::string VerificationText(const Verification& v) {
  char cost[48];
  std::snprintf(cost, sizeof cost, " (check %.3f s)", v.seconds);
  const std::string what = v.bench == kFactorBench ? " numbers factored" : " primes";
  switch (v.status) {
    case CheckStatus::kVerified:
      return "verified: " + std::to_string(v.checked) + what +
             (v.partial ? " written before the stop" : "") + cost;
    case CheckStatus::kNotChecked:
      return "not checked: " + v.reason;
    case CheckStatus::kUnreadable:
      return "not checked: cannot read " + v.file.filename().string() + ": " + v.reason;
    case CheckStatus::kWrong:
      break;
  }
  const std::string place = v.line > 0 ? "line " + std::to_string(v.line) + " of " +
                                             v.file.filename().string()
                                       : v.place;
  std::string text = "WRONG at " + place + ": found \"" + Shown(v.found) + "\"";
  if (!v.expected.empty()) text += ", expected \"" + Shown(v.expected) + "\"";
  return text + " (" + v.reason + ")" + cost;
}

}  // namespace tallyforge
