#pragma once
// A host that shows nothing and dispatches nothing: the engine's own cost, for comparisons.
#include "bench_host.h"

namespace tallyforge::perf {

class NullHost final : public BenchHost {
 public:
  explicit NullHost(int bench) : bench_(bench) {}
  void PushBoard(const ResultBoard&) override {}
  void DispatchOneMessage() override {}
  bool IsChecked(int bench) const override { return bench == bench_; }
  void SetCheck(int, bool) override {}

 private:
  int bench_;
};

}  // namespace tallyforge::perf
