// SHA-256 on Windows: the system's own CNG (BCrypt) provider.
#include <windows.h>
#include <bcrypt.h>

#include <algorithm>

#include "sha256_digest.h"

namespace tallyforge {

struct Sha256Digest::State {
  BCRYPT_ALG_HANDLE provider = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  bool ok = false;
};

Sha256Digest::Sha256Digest() : m_state(std::make_unique<State>()) {
  m_state->ok =
      BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&m_state->provider, BCRYPT_SHA256_ALGORITHM,
                                                 nullptr, 0)) &&
      BCRYPT_SUCCESS(BCryptCreateHash(m_state->provider, &m_state->hash, nullptr, 0, nullptr, 0, 0));
}

Sha256Digest::~Sha256Digest() {
  if (m_state->hash != nullptr) BCryptDestroyHash(m_state->hash);
  if (m_state->provider != nullptr) BCryptCloseAlgorithmProvider(m_state->provider, 0);
}

bool Sha256Digest::Update(std::string_view bytes) {
  while (m_state->ok && !bytes.empty()) {
    const ULONG part = static_cast<ULONG>(std::min<size_t>(bytes.size(), 1 << 30));
    m_state->ok = BCRYPT_SUCCESS(BCryptHashData(
        m_state->hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())), part, 0));
    bytes.remove_prefix(part);
  }
  return m_state->ok;
}

std::optional<std::array<unsigned char, 32>> Sha256Digest::Finish() {
  std::array<unsigned char, 32> result{};
  if (!m_state->ok || !BCRYPT_SUCCESS(BCryptFinishHash(m_state->hash, result.data(), 32, 0))) {
    m_state->ok = false;
    return std::nullopt;
  }
  m_state->ok = false;  // finished: no more updates
  return result;
}

}  // namespace tallyforge
