// The check of a Numbers file: every prime of the range's candidates, in order, then the count.
#include <cstdio>
#include <optional>
#include <string>

#include "prime_sieve.h"
#include "verifiers.h"
#include "text_lines.h"

namespace tallyforge {
namespace {

// Ranges beyond this would need a base sieve larger than a check should allocate.
constexpr double kLargestCheckedEnd = 1e15;
constexpr double kLargestCheckedSpan = 1e8;

std::string Thirteen(uint64_t n) {
  char text[32];
  std::snprintf(text, sizeof text, "%013llu", static_cast<unsigned long long>(n));
  return text;
}

// Whether line reads n as Thirteen(n) does; without formatting, as it runs once per prime.
bool IsThirteen(std::string_view line, uint64_t n) {
  if (n >= 10000000000000ull || line.size() != 13) return line == Thirteen(n);
  for (size_t i = 13; i-- > 0; n /= 10) {
    if (line[i] != static_cast<char>('0' + n % 10)) return false;
  }
  return true;
}

std::string ClosingLine(int64_t count) {
  return "Prime Found : " + std::to_string(count);
}

// The primes a run of the range writes, in order: the candidates start, +4, +2, +4, ...
class ExpectedPrimes {
 public:
  ExpectedPrimes(uint64_t start, uint64_t end, bool withTwoAndThree)
      : m_sieve(start, end), m_candidate(start), m_end(end), m_small(withTwoAndThree ? 0 : 2) {}

  std::optional<uint64_t> Next() {
    if (m_small < 2) return m_small++ == 0 ? 2 : 3;
    while (m_candidate <= m_end) {
      const uint64_t candidate = m_candidate;
      m_step = 6 - m_step;
      m_candidate += m_step;
      if (m_sieve.IsPrime(candidate)) return candidate;
    }
    return std::nullopt;
  }

 private:
  RangeSieve m_sieve;
  uint64_t m_candidate;
  uint64_t m_end;
  int m_step = 2;
  int m_small;
};

// Why a prime line that should read expected is wrong.
std::string WrongPrimeReason(std::string_view line, uint64_t expected) {
  if (line.size() != 13 || line.find_first_not_of("0123456789") != std::string_view::npos) {
    return "not a 13-digit number";
  }
  const uint64_t value = std::stoull(std::string(line));
  if (!IsPrime64(value)) return std::to_string(value) + " is not prime";
  if (value > expected) return "the prime " + std::to_string(expected) + " is missing";
  return std::to_string(value) + " is not one of the candidates in order";
}

}  // namespace

Verification CheckNumbersText(std::string_view text, const RangeSpec& range, bool withTwoAndThree,
                              bool complete) {
  Verification result;
  result.partial = !complete;
  if (!(range.start >= 0 && range.end <= kLargestCheckedEnd &&
        range.end - range.start <= kLargestCheckedSpan)) {
    result.reason = "the range is too large to check";
    return result;
  }
  TextLines lines(text);
  const auto wrong = [&](std::string_view found, std::string expected, std::string reason) {
    return MarkWrong(result, lines.number(), found, std::move(expected), std::move(reason));
  };
  const auto cutShort = [&](std::string_view found, std::string expected) {
    return wrong(found, std::move(expected), "the file is cut short");
  };

  ExpectedPrimes primes(static_cast<uint64_t>(range.start),
                        static_cast<uint64_t>(std::max(range.start, range.end)),
                        withTwoAndThree);
  std::optional<std::string_view> line;
  for (line = lines.Next(); line && !line->empty(); line = lines.Next()) {
    const std::optional<uint64_t> prime = primes.Next();
    if (!prime) return wrong(*line, "", "a line more than the range has primes");
    if (lines.cut()) return cutShort(*line, Thirteen(*prime));
    if (!IsThirteen(*line, *prime)) {
      return wrong(*line, Thirteen(*prime), WrongPrimeReason(*line, *prime));
    }
    ++result.checked;
  }
  if (complete) {
    if (const std::optional<uint64_t> missing = primes.Next()) {
      if (!line) return cutShort("end of file", Thirteen(*missing));
      return wrong("", Thirteen(*missing), "the list of primes ends early");
    }
  }
  const std::string closing = ClosingLine(result.checked);
  if (!line) return cutShort("end of file", "");
  if (lines.cut()) return cutShort(*line, "");
  line = lines.Next();
  if (!line) return cutShort("end of file", closing);
  if (*line != closing) return wrong(*line, closing, "the count does not match the primes listed");
  if (lines.cut()) return cutShort(*line, closing);
  line = lines.Next();
  if (line) return wrong(*line, "end of file", "text after the closing line");
  result.status = CheckStatus::kVerified;
  return result;
}

}  // namespace tallyforge
