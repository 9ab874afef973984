#include "cell_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tallyforge {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the run of digits at text[at].
size_t Digits(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// A decimal number too large or too small for a double: infinity or 0, as atof gives. The
// place of the first significant digit plus the exponent tells which.
double OutOfRange(std::string_view number) {
  const size_t e = std::min(number.find_first_of("eE"), number.size());
  const std::string_view mantissa = number.substr(0, e);
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_of("123456789");  // a zero is never out of range
  long long place = first < point ? static_cast<long long>(point - first - 1)
                                  : -static_cast<long long>(first - point);
  long long exponent = 0;
  const bool down = e + 1 < number.size() && number[e + 1] == '-';
  for (size_t i = e + 1; i < number.size(); ++i) {
    if (IsDigit(number[i])) exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000LL);
  }
  return place + (down ? -exponent : exponent) > 0 ? HUGE_VAL : 0.0;
}

}  // namespace

double CellValue(std::string_view text) {
  size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string_view::npos) return 0;
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';

  // The longest decimal number from here: digits, a point, digits, an exponent with digits.
  const size_t begin = at;
  const size_t whole = Digits(text, at);
  at += whole;
  if (at < text.size() && text[at] == '.') {
    const size_t fraction = Digits(text, at + 1);
    if (whole == 0 && fraction == 0) return 0;
    at += 1 + fraction;
  } else if (whole == 0) {
    return 0;  // "inf", "nan", ".", a letter
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t digits = at + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    if (Digits(text, digits) > 0) at = digits + Digits(text, digits);
  }
  // Hexadecimal "0x10" stops at the x: its number is the 0 before it.
  const std::string_view number = text.substr(begin, at - begin);
  double value = 0;
  if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
      std::errc::result_out_of_range) {
    value = OutOfRange(number);
  }
  return negative ? -value : value;
}

}  // namespace tallyforge
