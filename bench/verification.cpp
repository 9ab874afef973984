#include "verification.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "result_checks.h"

namespace tallyforge {
namespace {

// Far above any complete result file (B1's is about 1 MB); a larger file is not read.
constexpr off_t kLargestResultFile = 256 << 20;

struct FileText {
  std::optional<std::string> text;
  std::string error;
};

// The whole of a regular file. Non-blocking, so that a FIFO put in the file's place cannot hang
// the check.
FileText ReadResultFile(const std::filesystem::path& path) {
  FileText result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = std::strerror(errno);
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.error = "not a regular file";
  } else if (info.st_size > kLargestResultFile) {
    result.error = "larger than any result file";
  } else {
    std::string text(static_cast<size_t>(info.st_size), '\0');
    size_t got = 0;
    for (ssize_t n = 1; got < text.size() && n > 0; got += static_cast<size_t>(n)) {
      n = ::read(fd, text.data() + got, text.size() - got);
      if (n < 0) {
        result.error = std::strerror(errno);
        break;
      }
      if (n == 0) break;
    }
    text.resize(got);
    if (result.error.empty()) result.text = std::move(text);
  }
  ::close(fd);
  return result;
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
  if (outcome.bench == kFactorBench) {
    return CheckFactorsText(*file.text, workload.factorFirst, workload.factorLast, complete);
  }
  return CheckNumbersText(*file.text, workload.ranges[static_cast<size_t>(outcome.bench - 1)],
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
