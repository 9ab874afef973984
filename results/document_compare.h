#pragma once
// `compare`: two result documents' median times and scores side by side.
#include <cstdio>

#include "document_reader.h"

namespace tallyforge {

// Prints both documents' median seconds per benchmark and their median scores side by side,
// with the ratio of B to A. Returns whether they have a benchmark in common.
bool CompareDocuments(const ResultDocument& a, const ResultDocument& b, std::FILE* out);

}  // namespace tallyforge
