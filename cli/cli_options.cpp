#include "cli_options.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
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

std::optional<std::vector<int>> ParseJobCounts(const std::string& text, int logicalCores) {
  const auto count = [](const std::string& digits) -> std::optional<int> {
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    const int n = std::stoi(digits);
    return n >= 1 ? std::optional<int>(n) : std::nullopt;
  };
  std::vector<int> counts;
  const auto dots = text.find("..");
  if (dots != std::string::npos) {
    const auto low = count(text.substr(0, dots));
    const auto high = count(text.substr(dots + 2));
    if (!low || !high || *low > *high) return std::nullopt;
    for (int n = *low; n <= *high; ++n) counts.push_back(n);
    return counts;
  }
  const auto n = Lower(text) == "all" ? std::optional<int>(std::max(logicalCores, 1)) : count(text);
  if (!n) return std::nullopt;
  if (*n > 1) counts.push_back(1);  // one copy alone first: what the copies are measured against
  counts.push_back(*n);
  return counts;
}

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
  std::string json;
  int repeat = 1;
  std::string jobs;
  app.add_option("benchmarks", names,
                 "B1 ... B9 to run in the order given, or 'stress'; or a command: "
                 "'calibrate', 'check FILE.json', 'compare A.json B.json'");
  app.add_option("--json", json, "Write the results as a JSON document to FILE ('-': stdout)")
      ->type_name("FILE");
  app.add_option("--repeat", repeat, "Run the benchmarks (or the stress run) N times, with "
                 "statistics")->type_name("N")->check(CLI::Range(1, 100000));
  app.add_option("--jobs", jobs, "Run N copies at once, each in its own folder job-K-of-N "
                 "('all': one per logical core; '1..N': every count in turn)")->type_name("N");
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
      "check; 75 when another run is using the folder (one run at a time per folder); 130 when "
      "stopped by Ctrl-C.");

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
  options.jsonPath = json;
  options.repeat = repeat;
  for (int i = 1; i < argc; ++i) options.arguments.emplace_back(argv[i]);
  const auto fail = [&](const std::string& message) {
    err << "tallyforge-cli: " << message << "\nTry 'tallyforge-cli --help'.\n";
    return ParseResult{std::nullopt, kExitUsage};
  };
  if (!jobs.empty()) {
    const auto counts = ParseJobCounts(jobs, static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    if (!counts) return fail("--jobs " + jobs + ": expected a count, 'all' or '1..N'");
    options.jobCounts = *counts;
  }
  const std::string command = names.empty() ? "" : Lower(names.front());
  if (command == "check" || command == "compare") {
    const size_t wanted = command == "check" ? 2 : 3;
    if (names.size() != wanted) {
      return fail(command + (wanted == 2 ? " takes one result document"
                                         : " takes two result documents"));
    }
    options.command = command == "check" ? Command::kCheck : Command::kCompare;
    options.documents.assign(names.begin() + 1, names.end());
    return {options, 0};
  }
  if (command == "calibrate") {
    if (names.size() != 1) return fail("'calibrate' runs the stress run and stands alone");
    options.command = Command::kCalibrate;
    names.clear();
  }
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
  if (options.loop && (options.command != Command::kRun || options.repeat > 1 ||
                       !options.jobCounts.empty())) {
    return fail("--loop and --duration go with neither calibrate, --repeat nor --jobs");
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
