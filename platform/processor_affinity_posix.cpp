// Processor affinity on Linux: sched_getaffinity and sched_setaffinity of the calling thread.
#include <sched.h>

#include <cerrno>
#include <memory>

#include "processor_affinity.h"

namespace tallyforge {
namespace {

// Room for every processor the kernel can number (CONFIG_NR_CPUS is at most 8192).
constexpr int kMostProcessors = 8192;

struct FreeSet {
  void operator()(cpu_set_t* set) const { CPU_FREE(set); }
};
using ProcessorSet = std::unique_ptr<cpu_set_t, FreeSet>;

}  // namespace

std::vector<int> AllowedProcessors() {
  const ProcessorSet set(CPU_ALLOC(kMostProcessors));
  if (!set) return {};
  const size_t size = CPU_ALLOC_SIZE(kMostProcessors);
  CPU_ZERO_S(size, set.get());
  if (sched_getaffinity(0, size, set.get()) != 0) return {};
  std::vector<int> processors;
  for (int p = 0; p < kMostProcessors; ++p) {
    if (CPU_ISSET_S(static_cast<size_t>(p), size, set.get())) processors.push_back(p);
  }
  return processors;
}

int PinToProcessors(const std::vector<int>& processors) {
  const ProcessorSet set(CPU_ALLOC(kMostProcessors));
  if (!set) return ENOMEM;
  const size_t size = CPU_ALLOC_SIZE(kMostProcessors);
  CPU_ZERO_S(size, set.get());
  for (int p : processors) {
    if (p < 0 || p >= kMostProcessors) return EINVAL;
    CPU_SET_S(static_cast<size_t>(p), size, set.get());
  }
  return sched_setaffinity(0, size, set.get()) == 0 ? 0 : errno;
}

}  // namespace tallyforge
