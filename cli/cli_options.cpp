#include "cli_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <system_error>
#include <thread>

#include "exit_status.h"
#include "figure_text.h"
#include "jobs_summary.h"
#include "processor_affinity.h"
#include "safe_text.h"
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

// Everything the command line can say, as CLI11 fills it in.
struct Given {
  std::vector<std::string> names;
  std::string directory = ".";
  bool version = false;
  bool loop = false;
  bool eachCore = false, stopOnWrong = false;
  std::string cores;
  std::string duration, json, repeat, jobs;
  std::string checkFile;
  std::vector<std::string> compareFiles;
  std::vector<std::string> reportFiles;
  std::string reportOutput;
};

const char* kExitStatuses =
    "Exit status: 0 when every run finished and its result was verified; 1 when an output file "
    "(or the standard output) could not be created or written; 2 for bad arguments or an "
    "unreadable result document; 3 when a result is WRONG; 4 when a result could not be "
    "checked (or a processor of --each-core could not take its turn); 70 on an internal error "
    "(the results measured until then are still written); 75 "
    "when another run is using the folder (one run at a time per folder); 130 when stopped by "
    "Ctrl-C, SIGTERM or SIGHUP. check: 0 when the document stands for complete, verified work; 3 "
    "when it records a WRONG result (of a run, or of a copy of --jobs); 4 when a run or copy was "
    "not checked or none was; 1 for anything else (figures edited, an output file not as "
    "expected, a run stopped, work a stop left undone, a copy that did not complete, a run that "
    "did not reach its end). compare: check's status for the worse of the two documents, else 1 "
    "when they have no benchmark in common.";

}  // namespace

std::optional<std::chrono::seconds> ParseDuration(const std::string& text) {
  constexpr long long kLongest = std::chrono::seconds(kLongestDuration).count();
  long long total = 0;
  size_t at = 0;
  while (at < text.size()) {
    long long value = 0;
    const size_t digits = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      value = value * 10 + (text[at++] - '0');
      if (value > kLongest) return std::nullopt;
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
    if (value > kLongest / unit) return std::nullopt;
    total += value * unit;
    if (total > kLongest) return std::nullopt;
  }
  if (total <= 0) return std::nullopt;
  return std::chrono::seconds(total);
}

ParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err) {
  CLI::App app{"Times the nine prime-number benchmarks B1 to B9 against the reference times of "
               "Reference.txt.\nWithout benchmark names, or with 'stress', runs all nine in turn "
               "and the total score.\nCtrl-C stops the running benchmark (STOP BENCH).",
               "tallyforge-cli"};
  // Options given after a subcommand's name reach the run's options, so that one that does not
  // apply to the subcommand is refused with a message of ours.
  app.fallthrough();
  Given given;
  app.add_option("benchmarks", given.names,
                 "B1 ... B9 to run in the order given, or 'stress'");
  app.add_option("--json", given.json, "Write the results as a JSON document to FILE ('-': "
                 "stdout), rewritten after every benchmark")->type_name("FILE");
  app.add_option("--repeat", given.repeat, "Run the benchmarks (or the stress run) N times, with "
                 "statistics")->type_name("N");
  app.add_option("--jobs", given.jobs, "Run N copies at once, each in its own folder job-K-of-N "
                 "('all': one per logical core; '1..N': every count in turn)")->type_name("N");
  app.add_option("-C,--dir", given.directory,
                 "Working directory: Reference.txt is read and output files are written here");
  app.add_flag("--version", given.version, "Print the version and exit");
  app.add_flag("--loop", given.loop,
               "Stability mode: repeat the stress run, every result checked, until Ctrl-C or "
               "the first wrong result");
  app.add_option("--duration", given.duration,
                 "Stability mode for this long (90s, 30m, 2h, 1h30m; at most 8760h)");
  app.add_flag("--each-core", given.eachCore,
               "Run the benchmarks (default B8 B9) on each logical processor in turn, pinned to "
               "it, with a table of times and verdicts per processor");
  app.add_option("--cores", given.cores, "The processors of --each-core, e.g. 0,2-5 (default: "
                 "every one the process may use)")->type_name("LIST");
  app.add_flag("--stop-on-wrong", given.stopOnWrong,
               "With --each-core, end at the first wrong result instead of running the rest");
  CLI::App* check = app.add_subcommand(
      "check", "Whether a result document was edited, what its runs' checks found, and whether "
               "its output files are the expected answers");
  check->add_option("FILE", given.checkFile, "The result document")->required();
  CLI::App* compare = app.add_subcommand(
      "compare", "Two result documents' median times and scores side by side, ratio B/A, after "
                 "what check finds wrong with either and whether their arithmetic differs");
  compare->add_option("FILES", given.compareFiles, "A.json B.json")->required()->expected(2);
  CLI::App* report = app.add_subcommand(
      "report", "Result documents as one HTML page of charts and tables (the first document is "
                "the baseline), or as SVG files");
  report->add_option("FILES", given.reportFiles, "A.json [B.json ...]")->required()->expected(1, -1);
  report->add_option("-o,--output", given.reportOutput, "The page to write (FILE.html), or a "
                     "folder for the SVG files (DIR/, ending in /)")->required()->type_name("OUT");
  CLI::App* calibrate = app.add_subcommand(
      "calibrate", "A stress run whose nine times become Reference.txt");
  // calibrate's own options, the same as the run's (given before or after its name).
  calibrate->add_option("--json", given.json, "Also write the run's JSON document to FILE")
      ->type_name("FILE");
  calibrate->add_option("--repeat", given.repeat, "N stress runs; the medians become the "
                        "reference times")->type_name("N");
  calibrate->add_option("-C,--dir", given.directory, "Reference.txt is written here");
  for (CLI::App* sub : {check, compare, report, calibrate}) sub->ignore_case();
  app.require_subcommand(0, 1);
  app.footer(kExitStatuses);

  const auto fail = [&](const std::string& message) {
    err << "tallyforge-cli: " << TerminalText(message) << "\nTry 'tallyforge-cli --help'.\n";
    return ParseResult{std::nullopt, kExitUsage};
  };
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {  // --help of a subcommand
      out << (check->parsed()     ? check
              : compare->parsed() ? compare
              : report->parsed()  ? report
                                  : calibrate)
                 ->help();
      return {std::nullopt, 0};
    }
    return fail(e.what());
  }
  if (given.version) {
    out << "tallyforge-cli " << kVersion << " (" << kCommit << ", " << kCompiler << ")\n";
    return {std::nullopt, 0};
  }

  CliOptions options;
  for (int i = 1; i < argc; ++i) options.arguments.emplace_back(argv[i]);
  // How often an option of the run was given, before or after calibrate.
  const auto count = [&](const std::string& name) {
    const CLI::Option* own = calibrate->get_option_no_throw(name);
    return app.count(name) + (own != nullptr ? own->count() : 0);
  };
  // The run's options given, by the names the user knows them by.
  std::vector<std::string> runOptions;
  for (const char* name : {"--json", "--repeat", "--jobs", "--dir", "--loop", "--duration",
                           "--each-core", "--cores", "--stop-on-wrong"}) {
    if (count(name) > 0) runOptions.push_back(name == std::string("--dir") ? "-C" : name);
  }
  if (check->parsed() || compare->parsed() || report->parsed()) {
    const std::string name = check->parsed() ? "check" : compare->parsed() ? "compare" : "report";
    if (!given.names.empty()) {
      return fail(name + (check->parsed()     ? " takes one result document"
                          : compare->parsed() ? " takes two result documents"
                                              : " takes result documents") +
                  " and runs no benchmarks");
    }
    if (!runOptions.empty()) {
      return fail(name + " reads result documents and runs nothing: " + runOptions.front() +
                  " does not apply");
    }
    options.command = check->parsed()     ? Command::kCheck
                      : compare->parsed() ? Command::kCompare
                                          : Command::kReport;
    if (check->parsed()) {
      options.documents = {given.checkFile};
    } else if (report->parsed()) {
      if (given.reportOutput.empty()) return fail("report -o: expected a file or a folder name");
      options.documents.assign(given.reportFiles.begin(), given.reportFiles.end());
      options.reportOutput = given.reportOutput;
    } else {
      options.documents.assign(given.compareFiles.begin(), given.compareFiles.end());
    }
    return {options, 0};
  }
  if (calibrate->parsed()) {
    options.command = Command::kCalibrate;
    if (!given.names.empty()) return fail("calibrate runs the stress run: name no benchmarks");
    for (const std::string& name : runOptions) {
      if (name == "--jobs" || name == "--loop" || name == "--duration" || name == "--each-core" ||
          name == "--cores" || name == "--stop-on-wrong") {
        return fail("calibrate runs one copy of the stress run: " + name + " does not apply");
      }
    }
  }

  options.directory = given.directory;
  if (count("--json") > 0) {
    if (given.json.empty()) return fail("--json: expected a file name ('-' for stdout)");
    options.jsonPath = given.json;
  }
  if (count("--repeat") > 0) {
    const auto repeat = ParseCount(given.repeat, 1, 100000);
    if (!repeat) return fail("--repeat '" + given.repeat + "': expected a whole number from 1 to 100000");
    options.repeat = *repeat;
  }
  if (app.count("--jobs") > 0) {
    const auto counts =
        ParseJobCounts(given.jobs, static_cast<int>(std::thread::hardware_concurrency()));
    if (!counts) {
      return fail("--jobs '" + given.jobs + "': expected a count, 'all' or '1..N' (1 to " +
                  std::to_string(kMostCopies) + " copies)");
    }
    options.jobCounts = *counts;
  }
  for (const std::string& name : given.names) {
    if (Lower(name) == "stress") {
      if (given.names.size() != 1) return fail("'stress' runs all nine benchmarks and stands alone");
      continue;
    }
    const int bench = BenchmarkNumber(name);
    if (bench == 0) return fail("unknown benchmark '" + name + "' (expected B1 to B9 or stress)");
    for (int earlier : options.benchmarks) {
      if (earlier == bench) return fail("benchmark " + name + " is named twice");
    }
    options.benchmarks.push_back(bench);
  }
  options.eachCore = given.eachCore;
  if (!options.eachCore && (app.count("--cores") > 0 || given.stopOnWrong)) {
    return fail(std::string(app.count("--cores") > 0 ? "--cores" : "--stop-on-wrong") +
                " goes with --each-core");
  }
  if (options.eachCore) {
    if (!options.benchmarks.empty() || given.names.empty()) {
      if (options.benchmarks.empty()) options.benchmarks = {8, 9};  // no large files to write
    } else {
      return fail("--each-core runs named benchmarks, not the stress run");
    }
    if (options.repeat > 1 || !options.jobCounts.empty()) {
      return fail("--each-core goes with neither --repeat nor --jobs (--loop or --duration "
                  "repeat its cycle)");
    }
    options.stopOnWrong = given.stopOnWrong;
    if (app.count("--cores") > 0) {
      std::string error;
      const auto cores = ParseProcessorList(given.cores, error);
      if (!cores) return fail("--cores '" + given.cores + "': " + error);
      options.cores = *cores;
    }
  }
  options.stress = options.benchmarks.empty();
  options.loop = given.loop || app.count("--duration") > 0;
  if (app.count("--duration") > 0) {
    const auto parsed = ParseDuration(given.duration);
    if (!parsed) {
      return fail("--duration '" + given.duration + "'" +
                  ": expected a time such as 90s, 30m or 2h, at most 8760h");
    }
    options.duration = *parsed;
  }
  if (options.loop && !options.stress && !options.eachCore) {
    return fail("--loop and --duration repeat the stress run; name no benchmarks");
  }
  if (options.loop && (options.repeat > 1 || !options.jobCounts.empty())) {
    return fail("--loop and --duration go with neither --repeat nor --jobs");
  }

  std::error_code ec;
  const auto folder = std::filesystem::status(options.directory, ec);
  if (!std::filesystem::is_directory(folder)) {
    // What the system says when it is not simply missing (a name too long, no permission).
    const bool missing = !ec || ec == std::errc::no_such_file_or_directory;
    return fail("--dir " + given.directory + ": " +
                (std::filesystem::exists(folder) ? "not a directory"
                 : missing                       ? "no such directory"
                                                 : ec.message()));
  }
  return {options, 0};
}

}  // namespace tallyforge::cli
