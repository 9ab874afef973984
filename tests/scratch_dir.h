#pragma once
// A fresh folder of its own under the temporary directory, removed with everything in it when
// the object goes. Tests and perf runs at the same time (two developers, a callgrind run beside
// a timed one) must not write into, or remove, each other's.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tallyforge::testing {

class ScratchDir {
 public:
  // Named prefix-<random>; path() is empty when no folder could be made.
  explicit ScratchDir(const std::string& prefix = "tallyforge") {
    static std::random_device seed;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto candidate =
          std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(seed()));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) path_ = candidate;
    }
  }
  ~ScratchDir() {
    if (path_.empty()) return;
    std::error_code ec;
    // A test may have taken its own rights away to see a write fail.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace tallyforge::testing
