#pragma once
// The terminal runner's command line: the run's options, and the subcommands check, compare,
// report and calibrate with their own.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyforge::cli {

enum class Command { kRun, kCheck, kCompare, kCalibrate, kReport };

// The longest --duration.
inline constexpr std::chrono::hours kLongestDuration{24 * 365};

struct CliOptions {
  Command command = Command::kRun;
  std::vector<int> benchmarks;  // 1 to 9, in the order named; empty for the stress run
  bool stress = false;
  std::filesystem::path directory = ".";
  bool loop = false;  // the stress run (or --each-core's cycle) again and again: stability mode
  std::chrono::seconds duration{0};   // with loop: start no pass after this long; 0: no limit
  std::string jsonPath;         // --json: empty for none, "-" for stdout
  int repeat = 1;               // --repeat: passes over the benchmarks
  std::vector<int> jobCounts;   // --jobs: the copy counts to run in turn; empty without it
  bool eachCore = false;        // --each-core: the benchmarks on each logical processor in turn
  std::vector<int> cores;       // --cores: the processors of --each-core; empty for every one
  bool stopOnWrong = false;     // --stop-on-wrong: --each-core ends at the first wrong result
  std::vector<std::filesystem::path> documents;  // check: one, compare: two, report: any
  std::string reportOutput;  // report: the HTML file, or a folder (ending in /) for SVG files
  std::vector<std::string> arguments;            // the command line as given, for the record
};

// "90", "90s", "30m", "2h", "1h30m": a positive whole number of seconds up to kLongestDuration;
// none otherwise.
std::optional<std::chrono::seconds> ParseDuration(const std::string& text);

// What parsing decided: run with options, or exit with code (after --help, --version or an
// error, whose text has then been written to out or err).
struct ParseResult {
  std::optional<CliOptions> options;
  int exitCode = 0;
};

ParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err);

}  // namespace tallyforge::cli
