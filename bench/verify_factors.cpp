// The check of Factors.txt: each line against the number's factorisation by a factor sieve.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "prime_sieve.h"
#include "verifiers.h"
#include "text_lines.h"

namespace tallyforge {
namespace {

constexpr double kLargestCheckedLast = 1e14;
constexpr double kLargestCheckedSpan = 1e7;

// The prime factors, with repetition and ascending, of every number of [first, last]: each prime
// up to the square root of last divided out of its multiples; what remains above 1 is prime.
std::vector<std::vector<uint64_t>> FactorRange(uint64_t first, uint64_t last) {
  std::vector<uint64_t> rest(last - first + 1);
  for (size_t i = 0; i < rest.size(); ++i) rest[i] = first + i;
  std::vector<std::vector<uint64_t>> factors(rest.size());
  const auto root = static_cast<uint64_t>(std::sqrt(static_cast<double>(last))) + 1;
  for (uint64_t p : PrimesUpTo(root)) {
    for (uint64_t multiple = (first + p - 1) / p * p; multiple <= last; multiple += p) {
      const size_t i = multiple - first;
      while (rest[i] % p == 0) {
        rest[i] /= p;
        factors[i].push_back(p);
      }
    }
  }
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] > 1) factors[i].push_back(rest[i]);
  }
  return factors;
}

std::string FactorLine(uint64_t n, const std::vector<uint64_t>& factors) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu = ", static_cast<unsigned long long>(n));
  std::string line = text;
  if (factors.size() < 2) return line + " Prime";
  for (uint64_t factor : factors) {
    std::snprintf(text, sizeof text, "  %llu", static_cast<unsigned long long>(factor));
    line += text;
  }
  return line;
}

// Reads a decimal number without sign or leading zeros from the front of text.
std::optional<uint64_t> TakeNumber(std::string_view& text) {
  size_t digits = 0;
  while (digits < text.size() && digits < 19 && text[digits] >= '0' && text[digits] <= '9') {
    ++digits;
  }
  if (digits == 0 || (digits > 1 && text[0] == '0')) return std::nullopt;
  const uint64_t value = std::stoull(std::string(text.substr(0, digits)));
  text.remove_prefix(digits);
  return value;
}

// Why the line for n is wrong, read from what the line claims.
std::string WrongLineReason(std::string_view line, uint64_t n) {
  const std::optional<uint64_t> number = TakeNumber(line);
  if (!number || !line.starts_with(" = ")) return "not a line of the form 'n = factors'";
  if (*number != n) return "the line is for " + std::to_string(*number);
  line.remove_prefix(3);
  const bool prime = IsPrime64(n);
  if (line == " Prime") return std::to_string(n) + " is marked Prime but is not prime";
  std::vector<uint64_t> factors;
  while (line.starts_with("  ")) {
    line.remove_prefix(2);
    const std::optional<uint64_t> factor = TakeNumber(line);
    if (!factor) break;
    factors.push_back(*factor);
  }
  if (!line.empty() || factors.empty()) return "not a list of factors each after two blanks";
  if (prime) return std::to_string(n) + " is prime and is not marked Prime";
  Uint128 product = 1;
  for (size_t i = 0; i < factors.size(); ++i) {
    if (!IsPrime64(factors[i])) return "the factor " + std::to_string(factors[i]) + " is not prime";
    if (i > 0 && factors[i] < factors[i - 1]) return "the factors are not in ascending order";
    product = std::min<Uint128>(product * factors[i], ~uint64_t{0});
  }
  if (product != n) return "the factors do not multiply back to " + std::to_string(n);
  return "not the factorisation as written";  // e.g. a single factor where Prime belongs
}

}  // namespace

Verification CheckFactorsText(std::string_view text, double first, double last, bool complete) {
  Verification result;
  result.partial = !complete;
  if (!(first >= 2 && last <= kLargestCheckedLast && last - first <= kLargestCheckedSpan)) {
    result.reason = "the range is too large to check";
    return result;
  }
  const auto low = static_cast<uint64_t>(first);
  const auto high = static_cast<uint64_t>(std::max(first, last));
  const std::vector<std::vector<uint64_t>> factors = FactorRange(low, high);
  TextLines lines(text);
  const auto wrong = [&](std::string_view found, std::string expected, std::string reason) {
    return MarkWrong(result, lines.number(), found, std::move(expected), std::move(reason));
  };

  uint64_t n = low;
  for (std::optional<std::string_view> line = lines.Next(); line; line = lines.Next(), ++n) {
    if (n > high) return wrong(*line, "end of file", "a line more than the range has numbers");
    const std::string expected = FactorLine(n, factors[n - low]);
    if (lines.cut()) return wrong(*line, expected, "the file is cut short");
    if (*line != expected) return wrong(*line, expected, WrongLineReason(*line, n));
    ++result.checked;
  }
  if (complete && n <= high) {
    return wrong("end of file", FactorLine(n, factors[n - low]), "the file is cut short");
  }
  result.status = CheckStatus::kVerified;
  return result;
}

}  // namespace tallyforge
