#include "test_hooks.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "mixed_search.h"

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

}  // namespace

void ApplyTestHooks(TerminalHost& host, Workload& workload) {
  if (const char* shortWork = std::getenv("TALLYFORGE_TEST_SHORT_WORK"); shortWork && *shortWork == '1') {
    for (RangeSpec& range : workload.ranges) {
      range.end = range.start + 1500;
      range.reportInterval = 40;
    }
    workload.mixedLimit = 20000;
    workload.factorFirst = 1000000400;  // its one progress point is its last number
    workload.factorLast = 1000001000;
  }
  int stopBench = 0;
  int stopPoint = 1;
  if (const char* interrupt = std::getenv("TALLYFORGE_TEST_INTERRUPT");
      interrupt != nullptr && std::sscanf(interrupt, "B%d@%d", &stopBench, &stopPoint) >= 1) {
    auto points = std::make_shared<int>(0);
    host.SetAtProgress([stopBench, stopPoint, points](int bench) {
      if (bench == stopBench && ++*points == stopPoint) std::raise(SIGINT);
    });
  }
  const char* damage = std::getenv("TALLYFORGE_TEST_DAMAGE");
  int bench = 0;
  int occurrence = 1;
  if (damage == nullptr || std::sscanf(damage, "B%d@%d", &bench, &occurrence) < 1) return;
  auto runs = std::make_shared<int>(0);
  host.SetBeforeCheck([bench, occurrence, runs](const RunOutcome& outcome) {
    if (outcome.bench != bench || ++*runs != occurrence || !outcome.ran) return;
    if (bench == kMixedBench) {
      realPrimeTable[static_cast<size_t>(outcome.mixed.realStored / 2)] += 2;
    } else {
      DamageFile(outcome.file);
    }
  });
}

}  // namespace tallyforge::cli
