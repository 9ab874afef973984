#include "stability_loop.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <vector>

#include "exit_status.h"

namespace tallyforge::cli {
namespace {

using Clock = std::chrono::steady_clock;

std::string Clocktime(Clock::duration elapsed) {
  const auto total = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(total / 3600),
                static_cast<long long>(total / 60 % 60), static_cast<long long>(total % 60));
  return text;
}

// The wall-clock time now, for saying when an error happened.
std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string ScoreText(const std::string& cell) {
  std::string score;
  for (char c : cell) {
    if (c != '\n') score += c;
  }
  return score.empty() ? "none" : score;
}

// Up to and including the first wrong result, or nullptr; from index first on.
const Verification* FirstWrongFrom(const TerminalHost& host, size_t first) {
  const auto& checks = host.verifications();
  for (size_t i = first; i < checks.size(); ++i) {
    if (checks[i].wrong()) return &checks[i];
  }
  return nullptr;
}

bool AnyFileFailedFrom(const StressOutcome& pass) {
  return std::any_of(pass.runs.begin(), pass.runs.end(),
                     [](const RunOutcome& run) { return !run.ok(); });
}

}  // namespace

std::optional<std::chrono::seconds> ParseDuration(const std::string& text) {
  if (text.empty()) return std::nullopt;
  long long total = 0;
  size_t at = 0;
  while (at < text.size()) {
    long long value = 0;
    const size_t digits = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      value = value * 10 + (text[at++] - '0');
      if (value > 1000000000) return std::nullopt;
    }
    if (at == digits) return std::nullopt;
    long long unit = 1;
    if (at < text.size()) {
      const char suffix = text[at++];
      unit = suffix == 'h' ? 3600 : suffix == 'm' ? 60 : suffix == 's' ? 1 : 0;
      if (unit == 0) return std::nullopt;
    } else if (digits != 0) {
      return std::nullopt;  // "1h30": a bare number only stands alone
    }
    total += value * unit;
  }
  if (total <= 0) return std::nullopt;
  return std::chrono::seconds(total);
}

int RunStabilityLoop(BenchEngine& engine, TerminalHost& host, std::chrono::seconds duration,
                     std::FILE* out) {
  host.EndStressRunOnWrongResult(true);
  const Clock::time_point start = Clock::now();
  std::vector<int> scores;
  int status = 0;
  for (int pass = 1;; ++pass) {
    const size_t checksBefore = host.verifications().size();
    const Clock::time_point passStart = Clock::now();
    const StressOutcome outcome = engine.OnStressBench();
    const Clock::time_point passEnd = Clock::now();
    const Verification* wrong = FirstWrongFrom(host, checksBefore);
    const bool failedFile = AnyFileFailedFrom(outcome);
    if (wrong != nullptr) {
      std::fprintf(out, "pass %d  %s  WRONG\n", pass, Clocktime(passEnd - passStart).c_str());
      std::fprintf(out, "stability: FAILED in pass %d, %s into the run, at %s: %s %s\n", pass,
                   Clocktime(passEnd - start).c_str(), TimeOfDay().c_str(),
                   BenchmarkName(wrong->bench).c_str(), VerificationText(*wrong).c_str());
      status = kExitWrongResult;
      break;
    }
    if (failedFile) {
      std::fprintf(out, "stability: ended in pass %d: an output file failed (see above)\n", pass);
      status = kExitRunFailed;
      break;
    }
    if (!outcome.scored) {
      std::fprintf(out, "pass %d  %s  stopped\n", pass, Clocktime(passEnd - passStart).c_str());
      status = kExitInterrupted;
      break;
    }
    const std::string score = ScoreText(engine.board().m_totalScore);
    scores.push_back(std::atoi(score.c_str()));
    std::fprintf(out, "pass %d  %s  score %s  verified\n", pass,
                 Clocktime(passEnd - passStart).c_str(), score.c_str());
    std::fflush(out);
    if (TerminalHost::InterruptPending()) {
      status = kExitInterrupted;
      break;
    }
    if (duration.count() > 0 && passEnd - start >= duration) break;
  }

  const std::string elapsed = Clocktime(Clock::now() - start);
  if (!scores.empty()) {
    std::vector<int> sorted = scores;
    std::sort(sorted.begin(), sorted.end());
    std::fprintf(out, "stability: %zu complete pass%s in %s%s; score %d to %d, median %d\n",
                 scores.size(), scores.size() == 1 ? "" : "es", elapsed.c_str(),
                 status == kExitWrongResult ? " verified before the failure"
                                            : ", every result verified",
                 sorted.front(), sorted.back(), sorted[sorted.size() / 2]);
  } else if (status == kExitInterrupted) {
    std::fprintf(out, "stability: stopped in %s before a pass was complete\n", elapsed.c_str());
  }
  std::fflush(out);
  return status;
}

}  // namespace tallyforge::cli
