#pragma once
// What the machine is and how busy it is, read from /proc, /sys and /etc; every fact may be absent.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyforge {

// Facts that do not change during a run. Empty strings and zeros where the system does not say.
struct MachineFacts {
  std::string cpuModel;
  int logicalCores = 0;
  int physicalCores = 0;  // distinct (physical id, core id) pairs; 0 when cpuinfo has none
  uint64_t memoryBytes = 0;
  std::string osName;     // PRETTY_NAME of os-release
  std::string kernel;     // the kernel release
  std::string architecture;
};

// A reading of what changes: taken before and after runs to explain noisy times.
struct MachineSample {
  std::optional<uint64_t> busyTicks;   // all CPUs' non-idle time since boot, in clock ticks
  double ownCpuSeconds = 0;            // this process's user + system time (with its children)
  std::optional<double> loadAverage;   // one-minute load average
  std::vector<int64_t> frequenciesKHz; // current frequency per CPU, where cpufreq exposes it
};

// root is "/" on a real machine; tests point it at a prepared tree.
MachineFacts ReadMachineFacts(const std::filesystem::path& root = "/");
MachineSample SampleMachine(const std::filesystem::path& root = "/");

// The CPU time in seconds that processes other than this one used between two samples; none
// when /proc/stat could not be read.
std::optional<double> OtherCpuSeconds(const MachineSample& before, const MachineSample& after);

// One line for people: "model, N cores (M physical), X GiB, OS, Linux kernel".
std::string DescribeMachine(const MachineFacts& facts);

}  // namespace tallyforge
