#pragma once
// Shared pieces of the engine tests: a scripted host, scripted ticks and a scratch directory.
#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scratch_dir.h"

#include "bench_engine.h"
#include "output_file.h"
#include "prime_table.h"
#include "run_control.h"
#include "text_lines.h"

namespace tallyforge::testing {

// Records what the engine shows and does; presses STOP at the chosen dispatch.
class FakeHost : public BenchHost {
 public:
  void PushBoard(const ResultBoard& board) override { pushed.push_back(board); }
  void DispatchOneMessage() override {
    ++dispatches;
    if (onDispatch) onDispatch(dispatches);
    if (engine != nullptr && stopAtDispatch == dispatches) engine->OnStopBench();
  }
  bool IsChecked(int bench) const override { return checked[static_cast<size_t>(bench)]; }
  void SetCheck(int bench, bool value) override {
    checked[static_cast<size_t>(bench)] = value;
    setChecks.emplace_back(bench, value);
  }
  void RunFinished(const RunOutcome& outcome) override { finished.push_back(outcome); }

  void Select(int bench) {
    checked.fill(false);
    checked[static_cast<size_t>(bench)] = true;
  }

  BenchEngine* engine = nullptr;
  int stopAtDispatch = 0;  // 0: never
  int dispatches = 0;
  std::function<void(int)> onDispatch;
  std::array<bool, kRowCount + 1> checked{};
  std::vector<ResultBoard> pushed;
  std::vector<std::pair<int, bool>> setChecks;
  std::vector<RunOutcome> finished;
};

// Returns the given readings in turn, then keeps returning the last one.
inline TickSource SequenceTicks(std::vector<int32_t> readings) {
  auto state = std::make_shared<std::pair<std::vector<int32_t>, size_t>>(std::move(readings), 0);
  return [state] {
    auto& [values, next] = *state;
    const int32_t value = values[std::min(next, values.size() - 1)];
    ++next;
    return value;
  };
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// FIFOs, which POSIX folders can hold and Windows folders cannot (its pipes live apart).
#ifdef _WIN32
inline constexpr bool kFolderFifos = false;
inline void MakeFifo(const std::filesystem::path&) {}
inline int OpenFifoReader(const std::filesystem::path&) { return -1; }
#else
inline constexpr bool kFolderFifos = true;
inline void MakeFifo(const std::filesystem::path& path) { ::mkfifo(path.c_str(), 0600); }
inline int OpenFifoReader(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
}
#endif

// A file the program wrote in text mode, with its line ends (CR LF on Windows) as LF; a line
// ended otherwise fails the test.
inline std::string ReadTextFile(const std::filesystem::path& path) {
  const LfText text = FromTextMode(ReadFile(path), kTextLineEnd);
  EXPECT_EQ(text.badLine, 0) << path << ": a line ends in LF alone: " << text.badText;
  return text.text;
}

// Writes text as a text-mode file: each LF as the platform's line end.
inline void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
  std::string bytes;
  for (char c : text) bytes += c == '\n' ? std::string(kTextLineEnd) : std::string(1, c);
  WriteFile(path, bytes);
}

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every part is somewhere in text; each one missing fails the test, with the whole text.
inline void ExpectHas(const std::string& text, const std::vector<std::string>& parts) {
  for (const std::string& part : parts) EXPECT_TRUE(Has(text, part)) << "no \"" << part << "\" in\n" << text;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The prime table, built once per test program.
inline void EnsurePrimeTable() {
  if (primeCount == 0) BuildPrimeTable();
}

// A workload of short ranges with no progress points, for runs that need exactly two readings
// of the clock each.
inline Workload QuietWorkload() {
  return Workload::Short(600, 1000000, 2000, 1000000001, 1000000020);
}

}  // namespace tallyforge::testing
