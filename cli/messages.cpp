#include "messages.h"

#include <cstdio>

#include "safe_text.h"

namespace tallyforge::cli {

void Complain(const std::string& message) {
  std::fprintf(stderr, "tallyforge-cli: %s\n", TerminalText(message).c_str());
  std::fflush(stderr);
}

}  // namespace tallyforge::cli
