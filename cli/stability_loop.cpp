#include "stability_loop.h"

#include <algorithm>
#include <cmath>
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

// A score as the loop's summary says it: whole, or with the half a median of an even count of
// passes may have.
std::string ScoreFigure(double value) {
  char text[32];
  std::snprintf(text, sizeof text, value == std::floor(value) ? "%.0f" : "%.1f", value);
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

LoopEnd RunStabilityLoop(BenchEngine& engine, RunRecorder& recorder,
                         std::chrono::seconds duration, std::FILE* out) {
  const Clock::time_point start = Clock::now();
  int uncheckedPasses = 0;
  int status = 0;
  for (int pass = 1;; ++pass) {
    const size_t runsBefore = recorder.runs().size();
    recorder.BeginPass(pass);
    const Clock::time_point passStart = Clock::now();
    const StressOutcome outcome = engine.OnStressBench();
    const Clock::time_point passEnd = Clock::now();
    recorder.RecordScore(outcome.scored, engine.board().m_totalScore);
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
  const auto complete = std::count_if(recorder.results().scores.begin(),
                                      recorder.results().scores.end(),
                                      [](const PassScore& score) { return score.scored; });
  if (complete > 0) {
    std::string checks = ", every result verified";
    if (status == kExitWrongResult) checks = " verified before the failure";
    if (uncheckedPasses > 0) {
      checks = ", " + std::to_string(uncheckedPasses) + " of them with a result not checked";
    }
    std::string scores = "no score";
    if (const auto& statistics = recorder.results().scoreStatistics) {
      scores = "score " + ScoreFigure(statistics->min) + " to " + ScoreFigure(statistics->max) +
               ", median " + ScoreFigure(statistics->median);
    }
    std::fprintf(out, "stability: %ld complete pass%s in %s%s; %s\n", static_cast<long>(complete),
                 complete == 1 ? "" : "es", elapsed.c_str(), checks.c_str(), scores.c_str());
  } else if (status == kExitInterrupted) {
    std::fprintf(out, "stability: stopped in %s before a pass was complete\n", elapsed.c_str());
  }
  std::fflush(out);
  const bool stopped = status == kExitInterrupted;
  if (uncheckedPasses > 0) status = WorseExit(status, kExitNotChecked);
  return {status, stopped};
}

}  // namespace tallyforge::cli
