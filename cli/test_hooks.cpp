#include "test_hooks.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "interrupt.h"
#include "mixed_search.h"
#include "processor_affinity.h"

namespace tallyforge::cli {
namespace {

// Changes the last digit of the file's middle line: a different prime, or a factor that no
// longer multiplies back.
void DamageFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  size_t end = 0;
  for (size_t line = 0; line <= lines / 2 && end != std::string::npos; ++line) {
    end = text.find('\n', end + (line > 0 ? 1 : 0));
  }
  if (end == std::string::npos || end == 0) return;
  char& digit = text[end - 1];
  if (digit >= '0' && digit <= '9') digit = static_cast<char>('0' + (digit - '0' + 2) % 10);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// "B<k>@<n>" of variable name: whether outcome is that run (counted in runs).
std::function<bool(const RunOutcome&)> RunNamedBy(const char* name) {
  const char* value = std::getenv(name);
  int bench = 0;
  int occurrence = 1;
  if (value == nullptr || std::sscanf(value, "B%d@%d", &bench, &occurrence) < 1) return nullptr;
  auto runs = std::make_shared<int>(0);
  return [bench, occurrence, runs](const RunOutcome& outcome) {
    return outcome.bench == bench && ++*runs == occurrence && outcome.ran;
  };
}

}  // namespace

void ApplyTestHooks(SessionSetup& setup) {
  if (const char* shortWork = std::getenv("TALLYFORGE_TEST_SHORT_WORK"); shortWork && *shortWork == '1') {
    // B9's one progress point is its last number.
    setup.workload = Workload::Short(1500, 40, 20000, 1000000400, 1000001000);
  }
  int stopBench = 0;
  int stopPoint = 1;
  if (const char* interrupt = std::getenv("TALLYFORGE_TEST_INTERRUPT");
      interrupt != nullptr && std::sscanf(interrupt, "B%d@%d", &stopBench, &stopPoint) >= 1) {
    auto points = std::make_shared<int>(0);
    setup.atProgress = [stopBench, stopPoint, points](int bench) {
      if (bench == stopBench && ++*points == stopPoint) RaiseInterrupt();
    };
  }
  int offline = -1;
  int offlineTurn = 0;
  if (const char* value = std::getenv("TALLYFORGE_TEST_OFFLINE");
      value != nullptr && std::sscanf(value, "%d@%d", &offline, &offlineTurn) >= 1) {
    auto turns = std::make_shared<int>(0);
    setup.pin = [offline, offlineTurn, turns](const std::vector<int>& processors) {
      if (processors.size() == 1 && processors[0] == offline &&
          (++*turns == offlineTurn || offlineTurn == 0)) {
        return EINVAL;
      }
      return PinToProcessors(processors);
    };
  }
  const auto damaged = RunNamedBy("TALLYFORGE_TEST_DAMAGE");
  const auto hidden = RunNamedBy("TALLYFORGE_TEST_HIDE");
  const auto thrown = RunNamedBy("TALLYFORGE_TEST_THROW");
  if (!damaged && !hidden && !thrown) return;
  setup.beforeCheck = [damaged, hidden, thrown](const RunOutcome& outcome) {
    if (thrown && thrown(outcome)) throw std::runtime_error("a test hook threw");
    if (damaged && damaged(outcome)) {
      if (outcome.bench == kMixedBench) {
        realPrimeTable[static_cast<size_t>(outcome.mixed.realStored / 2)] += 2;
      } else {
        DamageFile(outcome.file);
      }
    }
    if (hidden && hidden(outcome)) std::filesystem::remove(outcome.file);
  };
}

}  // namespace tallyforge::cli
