#pragma once
// The runner's messages on stderr, "tallyforge-cli: ..." with every text from outside (a path,
// an argument, a file's bytes) made printable.
#include <string>

namespace tallyforge::cli {

void Complain(const std::string& message);

}  // namespace tallyforge::cli
