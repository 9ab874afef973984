#include "machine_facts.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

TEST(MachineFacts, FactsAndSamplesReadFromProcSysAndEtcOfAPreparedTree) {
  ScratchDir root;
  std::filesystem::create_directories(root / "proc/sys/kernel");
  std::filesystem::create_directories(root / "etc");
  std::filesystem::create_directories(root / "sys/devices/system/cpu/cpu0/cpufreq");
  std::filesystem::create_directories(root / "sys/devices/system/cpu/cpu1");  // no cpufreq
  std::string cpuinfo;
  for (int cpu = 0; cpu < 4; ++cpu) {  // two cores with two threads each
    cpuinfo += "processor\t: " + std::to_string(cpu) +
               "\nmodel name\t: Test CPU 9000\nphysical id\t: 0\ncore id\t\t: " +
               std::to_string(cpu / 2) + "\n\n";
  }
  WriteFile(root / "proc/cpuinfo", cpuinfo);
  WriteFile(root / "proc/meminfo", "MemFree:  1 kB\nMemTotal:       2097152 kB\n");
  WriteFile(root / "etc/os-release", "NAME=Test\nPRETTY_NAME=\"Test OS 1\"\n");
  WriteFile(root / "proc/sys/kernel/osrelease", "6.1.0-test\n");
  // user nice system idle iowait irq softirq steal: busy = 100 + 2 + 30 + 4 + 5 + 6
  WriteFile(root / "proc/stat", "cpu  100 2 30 5000 70 4 5 6 0 0\ncpu0 1 1 1 1\n");
  WriteFile(root / "proc/loadavg", "1.25 0.50 0.10 1/90 123\n");
  WriteFile(root / "sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "2400000\n");
  const MachineFacts facts = ReadMachineFacts(root.path());
  EXPECT_EQ(facts.logicalCores, 4);
  EXPECT_EQ(facts.physicalCores, 2);
  EXPECT_EQ(DescribeMachine(facts),
            "Test CPU 9000, 4 cores (2 physical), 2.0 GiB, Test OS 1, Linux 6.1.0-test");
  const MachineSample sample = SampleMachine(root.path());
  EXPECT_EQ(sample.busyTicks, 147u);
  EXPECT_EQ(sample.loadAverage, 1.25);
  EXPECT_EQ(sample.frequenciesKHz, std::vector<int64_t>{2400000});
}

TEST(MachineFacts, MissingFilesLeaveFactsEmptyAndSamplesWithoutReadings) {
  ScratchDir root;
  const MachineFacts facts = ReadMachineFacts(root.path());
  EXPECT_EQ(facts.logicalCores, 0);
  EXPECT_EQ(DescribeMachine(facts).substr(0, 11), "unknown CPU");
  const MachineSample sample = SampleMachine(root.path());
  EXPECT_FALSE(sample.busyTicks || sample.loadAverage);
  EXPECT_TRUE(sample.frequenciesKHz.empty());
  EXPECT_EQ(OtherCpuSeconds(sample, sample), std::nullopt);
}

}  // namespace
}  // namespace tallyforge
