#pragma once
// A folder of its own for one perf run's output files: runs at the same time (two developers,
// a callgrind run beside a timed one) must not write into, or remove, each other's.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace tallyforge::perf {

// A fresh folder under the temporary directory, named after name; empty when none can be made.
inline std::filesystem::path MakeScratchDir(const std::string& name) {
  std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
  return ::mkdtemp(pattern.data()) != nullptr ? std::filesystem::path(pattern) : "";
}

}  // namespace tallyforge::perf
