// Machine facts on Windows: CPUID for the processor's name, the system's own calls for the rest.
#include <windows.h>
#include <cpuid.h>

#include <cstring>
#include <vector>

#include "machine_facts.h"

namespace tallyforge {
namespace {

// The processor's brand string (CPUID leaves 0x80000002 to 0x80000004), without padding.
std::string CpuBrand() {
  unsigned int words[12] = {};
  if (__get_cpuid_max(0x80000000, nullptr) < 0x80000004) return "";
  for (unsigned int leaf = 0; leaf < 3; ++leaf) {
    __get_cpuid(0x80000002 + leaf, &words[leaf * 4], &words[leaf * 4 + 1], &words[leaf * 4 + 2],
                &words[leaf * 4 + 3]);
  }
  char text[sizeof words + 1] = {};
  std::memcpy(text, words, sizeof words);
  std::string brand(text);
  const auto first = brand.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return brand.substr(first, brand.find_last_not_of(' ') - first + 1);
}

int PhysicalCores() {
  DWORD length = 0;
  GetLogicalProcessorInformationEx(RelationProcessorCore, nullptr, &length);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length == 0) return 0;
  std::vector<char> buffer(length);
  auto* info = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data());
  if (!GetLogicalProcessorInformationEx(RelationProcessorCore, info, &length)) return 0;
  int cores = 0;
  for (DWORD at = 0; at < length;) {
    auto* entry = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + at);
    if (entry->Relationship == RelationProcessorCore) ++cores;
    at += entry->Size;
  }
  return cores;
}

// The real version: GetVersionEx answers what the manifest claims, RtlGetVersion does not.
std::string WindowsVersion() {
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return "";
  const auto call =
      reinterpret_cast<RtlGetVersionCall>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (call == nullptr || call(&version) != 0) return "";
  return "Windows " + std::to_string(version.dwMajorVersion) + "." +
         std::to_string(version.dwMinorVersion) + "." + std::to_string(version.dwBuildNumber);
}

uint64_t Ticks(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

MachineFacts ReadMachineFacts(const std::filesystem::path&) {
  MachineFacts facts;
  facts.cpuModel = CpuBrand();
  facts.logicalCores = static_cast<int>(GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
  facts.physicalCores = PhysicalCores();
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  if (GlobalMemoryStatusEx(&memory)) facts.memoryBytes = memory.ullTotalPhys;
  facts.osName = WindowsVersion();
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64: facts.architecture = "x86_64"; break;
    case PROCESSOR_ARCHITECTURE_ARM64: facts.architecture = "aarch64"; break;
    case PROCESSOR_ARCHITECTURE_INTEL: facts.architecture = "i686"; break;
    default: break;
  }
  return facts;
}

MachineSample SampleMachine(const std::filesystem::path&) {
  MachineSample sample;
  // All CPUs' time in 100 ns units; the kernel time includes the idle time.
  FILETIME idle{}, kernel{}, user{};
  if (GetSystemTimes(&idle, &kernel, &user)) {
    sample.busyTicks = Ticks(kernel) + Ticks(user) - Ticks(idle);
  }
  FILETIME created{}, exited{}, ownKernel{}, ownUser{};
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &ownKernel, &ownUser)) {
    sample.ownCpuSeconds = static_cast<double>(Ticks(ownKernel) + Ticks(ownUser)) / 1e7;
  }
  return sample;  // no load average or current frequencies on Windows
}

int64_t BusyTicksPerSecond() { return 10000000; }

}  // namespace tallyforge
