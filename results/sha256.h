#pragma once
// SHA-256 digests of files and texts, as lowercase hex: the checksums of results and output files.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tallyforge {

// The digest of the bytes of text.
std::string Sha256Hex(std::string_view text);

// The digest of the whole file at path; none when it cannot be opened or read.
std::optional<std::string> Sha256OfFile(const std::filesystem::path& path);

}  // namespace tallyforge
