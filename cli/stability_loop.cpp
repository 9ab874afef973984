#include "stability_loop.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "exit_status.h"
#include "safe_text.h"
#include "terminal_host.h"

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

// The first run from first on with verdict, or nullptr.
const RecordedRun* FirstWith(const std::vector<RecordedRun>& runs, size_t first,
                             RunVerdict verdict) {
  for (size_t i = first; i < runs.size(); ++i) {
    if (runs[i].check.verdict == verdict) return &runs[i];
  }
  return nullptr;
}

std::string Described(const RecordedRun& run) {
  return BenchmarkName(run.outcome.bench) + " " +
         TerminalText(VerificationText(run.check.verification));
}

}  // namespace

int RunStabilityLoop(BenchEngine& engine, RunRecorder& recorder,
                     std::vector<PassScore>& passScores, bool& stopped,
                     std::chrono::seconds duration, std::FILE* out) {
  const Clock::time_point start = Clock::now();
  std::vector<int> scores;
  int uncheckedPasses = 0;
  int status = 0;
  for (int pass = 1;; ++pass) {
    const size_t runsBefore = recorder.runs().size();
    recorder.BeginPass(pass);
    const Clock::time_point passStart = Clock::now();
    const StressOutcome outcome = engine.OnStressBench();
    const Clock::time_point passEnd = Clock::now();
    passScores.push_back({pass, outcome.scored, engine.board().m_totalScore});
    const std::string took = Clocktime(passEnd - passStart);
    const auto& runs = recorder.runs();
    if (const RecordedRun* wrong = FirstWith(runs, runsBefore, RunVerdict::kWrong)) {
      std::fprintf(out, "pass %d  %s  WRONG\n", pass, took.c_str());
      std::fprintf(out, "stability: FAILED in pass %d, %s into the run, at %s: %s\n", pass,
                   Clocktime(passEnd - start).c_str(), TimeOfDay().c_str(),
                   Described(*wrong).c_str());
      status = kExitWrongResult;
      break;
    }
    if (std::any_of(runs.begin() + static_cast<std::ptrdiff_t>(runsBefore), runs.end(),
                    [](const RecordedRun& run) { return !run.outcome.ok(); })) {
      std::fprintf(out, "stability: ended in pass %d: an output file failed (see above)\n", pass);
      status = kExitRunFailed;
      break;
    }
    if (!outcome.scored) {
      std::fprintf(out, "pass %d  %s  stopped\n", pass, took.c_str());
      status = kExitInterrupted;
      break;
    }
    const std::string score = ScoreText(engine.board().m_totalScore);
    scores.push_back(std::atoi(score.c_str()));
    if (const RecordedRun* unchecked = FirstWith(runs, runsBefore, RunVerdict::kNotChecked)) {
      ++uncheckedPasses;
      std::fprintf(out, "pass %d  %s  score %s  NOT CHECKED: %s\n", pass, took.c_str(),
                   score.c_str(), Described(*unchecked).c_str());
    } else {
      std::fprintf(out, "pass %d  %s  score %s  verified\n", pass, took.c_str(), score.c_str());
    }
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
    const int complete = static_cast<int>(scores.size());
    std::string checks = ", every result verified";
    if (status == kExitWrongResult) checks = " verified before the failure";
    if (uncheckedPasses > 0) {
      checks = ", " + std::to_string(uncheckedPasses) + " of them with a result not checked";
    }
    std::fprintf(out, "stability: %d complete pass%s in %s%s; score %d to %d, median %d\n",
                 complete, complete == 1 ? "" : "es", elapsed.c_str(), checks.c_str(),
                 sorted.front(), sorted.back(), sorted[sorted.size() / 2]);
  } else if (status == kExitInterrupted) {
    std::fprintf(out, "stability: stopped in %s before a pass was complete\n", elapsed.c_str());
  }
  std::fflush(out);
  stopped = status == kExitInterrupted;
  if (uncheckedPasses > 0 && (status == 0 || status == kExitInterrupted)) status = kExitNotChecked;
  return status;
}

}  // namespace tallyforge::cli
