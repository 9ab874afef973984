#pragma once
// An incremental SHA-256, each platform's own: OpenSSL on POSIX systems, CNG on Windows.
#include <array>
#include <memory>
#include <optional>
#include <string_view>

namespace tallyforge {

class Sha256Digest {
 public:
  Sha256Digest();
  ~Sha256Digest();
  Sha256Digest(const Sha256Digest&) = delete;
  Sha256Digest& operator=(const Sha256Digest&) = delete;

  // False once anything failed (also when the system gave no digest to start with).
  bool Update(std::string_view bytes);
  // The digest of everything given; none after a failure.
  std::optional<std::array<unsigned char, 32>> Finish();

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace tallyforge
