#pragma once
// A figure from a document as people read it: whatever the document holds, the text is short
// and says the number rightly.
#include <optional>
#include <string>

namespace tallyforge {

// format (printf) for ordinary values, "%.3g" for huge ones, "n/a" for none or a value that is
// not finite.
std::string Figure(std::optional<double> value, const char* format);

}  // namespace tallyforge
