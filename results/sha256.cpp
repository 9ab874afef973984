#include "sha256.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>

namespace tallyforge {
namespace {

struct DigestDeleter {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Digest = std::unique_ptr<EVP_MD_CTX, DigestDeleter>;

Digest StartDigest() {
  Digest context(EVP_MD_CTX_new());
  if (context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) context.reset();
  return context;
}

std::optional<std::string> FinishDigest(EVP_MD_CTX* context) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context, digest, &length) != 1) return std::nullopt;
  std::string hex;
  char pair[3];
  for (unsigned int i = 0; i < length; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

}  // namespace

std::string Sha256Hex(std::string_view text) {
  const Digest context = StartDigest();
  if (!context || EVP_DigestUpdate(context.get(), text.data(), text.size()) != 1) return "";
  return FinishDigest(context.get()).value_or("");
}

std::optional<std::string> Sha256OfFile(const std::filesystem::path& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                        &std::fclose);
  const Digest context = StartDigest();
  if (!file || !context) return std::nullopt;
  char buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (EVP_DigestUpdate(context.get(), buffer, got) != 1) return std::nullopt;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return FinishDigest(context.get());
}

}  // namespace tallyforge
