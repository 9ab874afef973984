#include "cli_options.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <ostream>
#include <system_error>

#include "exit_status.h"
#include "stability_loop.h"
#include "version.h"

namespace tallyforge::cli {
namespace {

// "B1" to "B9", in either case; 0 for anything else.
int BenchmarkNumber(const std::string& name) {
  if (name.size() != 2 || std::toupper(static_cast<unsigned char>(name[0])) != 'B') return 0;
  if (name[1] < '1' || name[1] > '9') return 0;
  return name[1] - '0';
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err) {
  CLI::App app{"Times the nine prime-number benchmarks B1 to B9 against the reference times of "
               "Reference.txt.\nWithout benchmark names, or with 'stress', runs all nine in turn "
               "and the total score.\nCtrl-C stops the running benchmark (STOP BENCH).",
               "tallyforge-cli"};
  std::vector<std::string> names;
  std::string directory = ".";
  bool version = false;
  bool loop = false;
  std::string duration;
  app.add_option("benchmarks", names, "B1 ... B9 to run in the order given, or 'stress'");
  app.add_option("-C,--dir", directory,
                 "Working directory: Reference.txt is read and output files are written here");
  app.add_flag("--version", version, "Print the version and exit");
  app.add_flag("--loop", loop,
               "Stability mode: repeat the stress run, every result checked, until Ctrl-C or "
               "the first wrong result");
  app.add_option("--duration", duration,
                 "Stability mode for this long (90s, 30m, 2h, 1h30m), then a summary");
  app.footer(
      "Exit status: 0 when every run finished and its files are complete; 1 when an output "
      "file could not be created or written; 2 for bad arguments; 3 when a result failed its "
      "check; 130 when stopped by Ctrl-C.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& e) {
    err << "tallyforge-cli: " << e.what() << "\nTry 'tallyforge-cli --help'.\n";
    return {std::nullopt, kExitUsage};
  }
  if (version) {
    out << "tallyforge-cli " << kVersion << " (" << kCommit << ", " << kCompiler << ")\n";
    return {std::nullopt, 0};
  }

  CliOptions options;
  options.directory = directory;
  const auto fail = [&](const std::string& message) {
    err << "tallyforge-cli: " << message << "\nTry 'tallyforge-cli --help'.\n";
    return ParseResult{std::nullopt, kExitUsage};
  };
  for (const std::string& name : names) {
    if (Lower(name) == "stress") {
      if (names.size() != 1) return fail("'stress' runs all nine benchmarks and stands alone");
      continue;
    }
    const int bench = BenchmarkNumber(name);
    if (bench == 0) return fail("unknown benchmark '" + name + "' (expected B1 to B9 or stress)");
    for (int earlier : options.benchmarks) {
      if (earlier == bench) return fail("benchmark " + name + " is named twice");
    }
    options.benchmarks.push_back(bench);
  }
  options.stress = options.benchmarks.empty();
  options.loop = loop || !duration.empty();
  if (!duration.empty()) {
    const auto parsed = ParseDuration(duration);
    if (!parsed) return fail("--duration " + duration + ": expected a time such as 90s, 30m or 2h");
    options.duration = *parsed;
  }
  if (options.loop && !options.stress) {
    return fail("--loop and --duration repeat the stress run; name no benchmarks");
  }

  std::error_code ec;
  if (!std::filesystem::is_directory(options.directory, ec)) {
    return fail("--dir " + directory + ": " +
                (std::filesystem::exists(options.directory, ec) ? "not a directory"
                                                                : "no such directory"));
  }
  return {options, 0};
}

}  // namespace tallyforge::cli
