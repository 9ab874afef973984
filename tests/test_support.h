#pragma once
// Shared pieces of the engine tests: a scripted host, scripted ticks and a scratch directory.
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "prime_table.h"
#include "run_control.h"

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

// A fresh directory under the system's temporary directory, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    static std::random_device seed;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto candidate = std::filesystem::temp_directory_path() /
                             ("tallyforge-" + std::to_string(seed()));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) path_ = candidate;
    }
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
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
  Workload work = Workload::Standard();
  for (RangeSpec& range : work.ranges) {
    range.end = range.start + 600;
    range.reportInterval = 1000000;
  }
  work.mixedLimit = 2000;
  work.factorFirst = 1000000001;
  work.factorLast = 1000000020;
  return work;
}

}  // namespace tallyforge::testing
