#pragma once
// The terminal runner's command line.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyforge::cli {

struct CliOptions {
  std::vector<int> benchmarks;  // 1 to 9, in the order named; empty for the stress run
  bool stress = false;
  std::filesystem::path directory = ".";
  bool loop = false;                  // the stress run again and again (the stability mode)
  std::chrono::seconds duration{0};   // with loop: start no pass after this long; 0: no limit
};

// What parsing decided: run with options, or exit with code (after --help, --version or an
// error, whose text has then been written to out or err).
struct ParseResult {
  std::optional<CliOptions> options;
  int exitCode = 0;
};

ParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err);

}  // namespace tallyforge::cli
