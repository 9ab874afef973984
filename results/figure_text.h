#pragma once
// Figures as people read and write them: whatever a document holds, the text shown is short and
// says the number rightly; a count typed on a command line is read strictly.
#include <optional>
#include <string>

namespace tallyforge {

// format (printf) for ordinary values, "%.3g" for huge ones, "n/a" for none or a value that is
// not finite.
std::string Figure(std::optional<double> value, const char* format);

// A whole number in decimal digits only (no sign, blank or prefix) from low to high.
std::optional<int> ParseCount(const std::string& text, int low, int high);

}  // namespace tallyforge
