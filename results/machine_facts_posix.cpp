// Machine facts on Linux: /proc, /sys and /etc/os-release.
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "machine_facts.h"

namespace tallyforge {
namespace {

std::optional<std::string> ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Trim(std::string text) {
  const auto first = text.find_first_not_of(" \t\r\n\"");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n\"");
  return text.substr(first, last - first + 1);
}

// "key : value" lines of /proc/cpuinfo and /proc/meminfo, "KEY=value" of os-release.
std::pair<std::string, std::string> SplitAt(const std::string& line, char separator) {
  const auto at = line.find(separator);
  if (at == std::string::npos) return {Trim(line), ""};
  return {Trim(line.substr(0, at)), Trim(line.substr(at + 1))};
}

void ReadCpuInfo(const std::string& text, MachineFacts& facts) {
  std::istringstream in(text);
  std::set<std::pair<std::string, std::string>> cores;
  std::string physical;
  for (std::string line; std::getline(in, line);) {
    const auto [key, value] = SplitAt(line, ':');
    if (key == "processor") ++facts.logicalCores;
    if (key == "model name" && facts.cpuModel.empty()) facts.cpuModel = value;
    if (key == "physical id") physical = value;
    if (key == "core id") cores.emplace(physical, value);
  }
  facts.physicalCores = static_cast<int>(cores.size());
}

}  // namespace

MachineFacts ReadMachineFacts(const std::filesystem::path& root) {
  MachineFacts facts;
  if (auto cpuinfo = ReadText(root / "proc/cpuinfo")) ReadCpuInfo(*cpuinfo, facts);
  if (auto meminfo = ReadText(root / "proc/meminfo")) {
    std::istringstream in(*meminfo);
    for (std::string line; std::getline(in, line);) {
      const auto [key, value] = SplitAt(line, ':');
      if (key == "MemTotal") facts.memoryBytes = std::strtoull(value.c_str(), nullptr, 10) * 1024;
    }
  }
  if (auto release = ReadText(root / "etc/os-release")) {
    std::istringstream in(*release);
    for (std::string line; std::getline(in, line);) {
      const auto [key, value] = SplitAt(line, '=');
      if (key == "PRETTY_NAME") facts.osName = value;
    }
  }
  if (auto kernel = ReadText(root / "proc/sys/kernel/osrelease")) facts.kernel = Trim(*kernel);
  struct utsname names {};
  if (::uname(&names) == 0) {
    if (facts.kernel.empty()) facts.kernel = names.release;
    facts.architecture = names.machine;
  }
  return facts;
}

MachineSample SampleMachine(const std::filesystem::path& root) {
  MachineSample sample;
  if (auto stat = ReadText(root / "proc/stat")) {
    // "cpu  user nice system idle iowait irq softirq steal ..." : busy is all but idle and iowait.
    std::istringstream in(*stat);
    std::string label;
    in >> label;
    uint64_t value = 0;
    uint64_t busy = 0;
    for (int field = 0; field < 8 && in >> value; ++field) {
      if (field != 3 && field != 4) busy += value;
    }
    if (label == "cpu" && in) sample.busyTicks = busy;
  }
  if (auto load = ReadText(root / "proc/loadavg")) {
    double one = 0;
    if (std::sscanf(load->c_str(), "%lf", &one) == 1) sample.loadAverage = one;
  }
  std::error_code ec;
  for (int cpu = 0;; ++cpu) {
    const auto dir = root / ("sys/devices/system/cpu/cpu" + std::to_string(cpu));
    if (!std::filesystem::exists(dir, ec)) break;
    if (auto khz = ReadText(dir / "cpufreq/scaling_cur_freq")) {
      sample.frequenciesKHz.push_back(std::strtoll(khz->c_str(), nullptr, 10));
    }
  }
  struct rusage self {}, children {};
  ::getrusage(RUSAGE_SELF, &self);
  ::getrusage(RUSAGE_CHILDREN, &children);
  for (const struct rusage* usage : {&self, &children}) {
    sample.ownCpuSeconds += static_cast<double>(usage->ru_utime.tv_sec + usage->ru_stime.tv_sec) +
                            static_cast<double>(usage->ru_utime.tv_usec + usage->ru_stime.tv_usec) /
                                1e6;
  }
  return sample;
}

int64_t BusyTicksPerSecond() { return ::sysconf(_SC_CLK_TCK); }

}  // namespace tallyforge
