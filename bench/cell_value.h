#pragma once
// The number a board cell's text stands for: the one conversion of every cell read as a number.
#include <string_view>

namespace tallyforge {

// The decimal number at the start of text, after leading white space: an optional sign, digits
// with an optional decimal point, and an optional exponent (e or E, an optional sign, digits).
// Text that does not begin so counts as 0, and so do "inf", "nan" and hexadecimal "0x10" (whose
// number is its leading 0): Reference.txt was always meant for a C atof of decimal text only,
// exponents included. Beyond the range of a double: plus or minus infinity, or 0. Never depends
// on the process's locale.
double CellValue(std::string_view text);

}  // namespace tallyforge
