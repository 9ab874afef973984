#pragma once
// What the machine is and how busy it is, as the system tells it (on Linux from /proc, /sys and
// /etc; on Windows from CPUID and the system's own calls); every fact may be absent.
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
  std::string osName;     // PRETTY_NAME of os-release; on Windows "Windows 10.0.19045"
  std::string kernel;     // the Linux kernel release; empty on Windows
  std::string architecture;
};

// A reading of what changes: taken before and after runs to explain noisy times.
struct MachineSample {
  std::optional<uint64_t> busyTicks;   // all CPUs' non-idle time since boot, in clock ticks
  double ownCpuSeconds = 0;            // this process's user + system time (with its children)
  std::optional<double> loadAverage;   // one-minute load average
  std::vector<int64_t> frequenciesKHz; // current frequency per CPU, where cpufreq exposes it
};

// root is "/" on a real machine; tests point it at a prepared tree (Linux only; Windows asks
// the system).
MachineFacts ReadMachineFacts(const std::filesystem::path& root = "/");
MachineSample SampleMachine(const std::filesystem::path& root = "/");

// How many of busyTicks make a second.
int64_t BusyTicksPerSecond();

// The CPU time in seconds that processes other than this one used between two samples; none
// when /proc/stat could not be read.
std::optional<double> OtherCpuSeconds(const MachineSample& before, const MachineSample& after);

// One line for people: "model, N cores (M physical), X GiB, OS, Linux kernel".
std::string DescribeMachine(const MachineFacts& facts);

}  // namespace tallyforge
