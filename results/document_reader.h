#pragma once
// Reading a result document back, strictly: only a regular file, never blocking, up to a size
// cap, nested only so deep, and every documented field present with its type. Whatever the
// bytes, and however little memory is left, the answer is the typed document or a reason, never
// a crash.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "result_document.h"

namespace tallyforge {

// A written document is a few hundred KB with about one value per 25 bytes, nested 5 deep.
inline constexpr size_t kLargestDocument = size_t{64} << 20;
inline constexpr size_t kMostDocumentValues = 2000000;
inline constexpr int kDeepestDocument = 16;
inline constexpr size_t kLongestDocumentText = size_t{1} << 20;  // a path or an argument is shorter

// The document in text; none, with the reason in error (printable), when it is not JSON, is
// nested deeper than kDeepestDocument, holds more than kMostDocumentValues values or a text
// (a string or a key) longer than kLongestDocumentText, is not a tallyforge result document of a
// known schema version, lacks a field or has one of the wrong type, or when the memory left is
// too little to read it ("... not enough memory to read the document").
std::optional<ResultDocument> ParseDocument(std::string_view text, std::string& error);

// The same for the file at path, which must be a regular file of at most kLargestDocument bytes.
std::optional<ResultDocument> ReadDocument(const std::filesystem::path& path, std::string& error);

}  // namespace tallyforge
