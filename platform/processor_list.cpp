#include <algorithm>
#include <cctype>

#include "processor_affinity.h"

namespace tallyforge {
namespace {

// Far above any machine's count, low enough that a mistyped number fails at once.
constexpr int kHighestProcessor = 4095;

// The number at text[at...], advancing at; none when there is none or it is too large.
std::optional<int> Number(const std::string& text, size_t& at) {
  const size_t start = at;
  int value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    value = value * 10 + (text[at++] - '0');
    if (value > kHighestProcessor) return std::nullopt;
  }
  if (at == start) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::vector<int>> ParseProcessorList(const std::string& text, std::string& error) {
  std::vector<int> processors;
  size_t at = 0;
  const auto fail = [&](const std::string& why) -> std::optional<std::vector<int>> {
    error = why;
    return std::nullopt;
  };
  if (text.empty()) return fail("expected processor numbers such as 0,2-5");
  while (at < text.size()) {
    const std::optional<int> first = Number(text, at);
    if (!first) {
      return fail("expected a processor number (0 to " + std::to_string(kHighestProcessor) +
                  ") at position " + std::to_string(at + 1));
    }
    int last = *first;
    if (at < text.size() && text[at] == '-') {
      ++at;
      const std::optional<int> end = Number(text, at);
      if (!end) {
        return fail("expected the end of a range (0 to " + std::to_string(kHighestProcessor) +
                    ") at position " + std::to_string(at + 1));
      }
      if (*end < *first) {
        return fail("the range " + std::to_string(*first) + "-" + std::to_string(*end) +
                    " runs backwards");
      }
      last = *end;
    }
    for (int p = *first; p <= last; ++p) processors.push_back(p);
    if (at < text.size()) {
      if (text[at] != ',' || at + 1 == text.size()) {
        return fail("expected ',' between processors at position " + std::to_string(at + 1));
      }
      ++at;
    }
  }
  std::sort(processors.begin(), processors.end());
  processors.erase(std::unique(processors.begin(), processors.end()), processors.end());
  return processors;
}

}  // namespace tallyforge
