// SHA-256 on POSIX systems: OpenSSL's.
#include <openssl/evp.h>

#include <algorithm>

#include "sha256_digest.h"

namespace tallyforge {

struct Sha256Digest::State {
  EVP_MD_CTX* context = nullptr;
  bool ok = false;
};

Sha256Digest::Sha256Digest() : m_state(std::make_unique<State>()) {
  m_state->context = EVP_MD_CTX_new();
  m_state->ok = m_state->context != nullptr &&
                EVP_DigestInit_ex(m_state->context, EVP_sha256(), nullptr) == 1;
}

Sha256Digest::~Sha256Digest() { EVP_MD_CTX_free(m_state->context); }

bool Sha256Digest::Update(std::string_view bytes) {
  if (m_state->ok) m_state->ok = EVP_DigestUpdate(m_state->context, bytes.data(), bytes.size()) == 1;
  return m_state->ok;
}

std::optional<std::array<unsigned char, 32>> Sha256Digest::Finish() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!m_state->ok || EVP_DigestFinal_ex(m_state->context, digest, &length) != 1 || length != 32) {
    m_state->ok = false;
    return std::nullopt;
  }
  m_state->ok = false;  // finished: no more updates
  std::array<unsigned char, 32> result;
  std::copy(digest, digest + 32, result.begin());
  return result;
}

}  // namespace tallyforge
