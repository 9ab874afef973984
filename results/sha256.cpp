#include "sha256.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "sha256_digest.h"

namespace tallyforge {
namespace {

std::optional<std::string> Hex(const std::optional<std::array<unsigned char, 32>>& digest) {
  if (!digest) return std::nullopt;
  std::string hex;
  char pair[3];
  for (unsigned char byte : *digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}

}  // namespace

std::string Sha256Hex(std::string_view text) {
  Sha256Digest digest;
  if (!digest.Update(text)) return "";
  return Hex(digest.Finish()).value_or("");
}

std::optional<std::string> Sha256OfFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  Sha256Digest digest;
  if (!file) return std::nullopt;
  std::vector<char> buffer(1 << 16);
  while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
         file.gcount() > 0) {
    if (!digest.Update({buffer.data(), static_cast<size_t>(file.gcount())})) return std::nullopt;
    if (!file) break;
  }
  if (file.bad()) return std::nullopt;
  return Hex(digest.Finish());
}

}  // namespace tallyforge
