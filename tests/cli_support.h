#pragma once
// Runs a built runner binary in a scratch directory and collects what a user sees of it.
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"

namespace tallyforge::testing {

struct CliResult {
  int exitCode;
  std::string out;
  std::string err;
};

// What the command left in dir's cli.out and cli.err, taken away, with its exit status.
inline CliResult Collected(const ScratchDir& dir, int status) {
  CliResult result{WEXITSTATUS(status), ReadFile(dir / "cli.out"), ReadFile(dir / "cli.err")};
  std::filesystem::remove(dir / "cli.out");
  std::filesystem::remove(dir / "cli.err");
  return result;
}

// Runs binary with args in dir; wrapper goes before it (e.g. "timeout -s INT 2", "env X=1").
inline CliResult RunBinary(const std::string& binary, const ScratchDir& dir,
                           const std::string& args, const std::string& wrapper = "") {
  const std::string command = "cd '" + dir.path().string() + "' && " + wrapper + " '" + binary +
                              "' " + args + " > cli.out 2> cli.err < /dev/null";
  return Collected(dir, std::system(command.c_str()));
}

// Runs binary with args in dir (env before it, e.g. "X=1") and sends it one signal (a Ctrl-C
// unless told) as soon as its stream ("cli.out" or "cli.err") has a line starting with mark,
// however slow the start; meanwhile, a shell command, runs just before the signal (the run's pid
// in $pid).
inline CliResult RunBinaryUntil(const std::string& binary, const ScratchDir& dir,
                                const std::string& args, const std::string& stream,
                                const std::string& mark, const std::string& env = "",
                                const std::string& signal = "INT",
                                const std::string& meanwhile = "true") {
  const std::string command =
      "cd '" + dir.path().string() + "' && (" + env + " '" + binary + "' " + args +
      " > cli.out 2> cli.err < /dev/null & pid=$!; for i in $(seq 600); do grep -q '^" + mark +
      "' " + stream + " && break; sleep 0.1; done; " + meanwhile + "; kill -" + signal +
      " $pid; wait $pid)";
  return Collected(dir, std::system(command.c_str()));
}

#ifdef TALLYFORGE_CLI_TESTHOOKS_PATH
// The runner built with the test hooks, on its short work, with hooks (NAME=VALUE ...) in its
// environment, started through wrapper (taskset, prlimit, ...) when one is given.
inline CliResult RunHooked(const ScratchDir& dir, const std::string& args,
                           const std::string& hooks = "", const std::string& wrapper = "") {
  return RunBinary(TALLYFORGE_CLI_TESTHOOKS_PATH, dir, args,
                   wrapper + " env TALLYFORGE_TEST_SHORT_WORK=1 " + hooks);
}
#endif

}  // namespace tallyforge::testing
