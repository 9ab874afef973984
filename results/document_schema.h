#pragma once
// The result document's fields: each one's key, its JSON type and the member of ResultDocument
// that holds it, in one table (document_schema.cpp), the one place a key is spelled. From it
// the writer makes the JSON text and the reader checks and reads a parsed text.
#include <nlohmann/json.hpp>
#include <string>

#include "document_tree.h"
#include "result_document.h"

namespace tallyforge {

// SHA-256 of the document's compact text without its integrity member: its figures' digest.
std::string FiguresDigest(const nlohmann::json& document);

// Reads tree as a result document: its "schema", a known "schema_version", then every field of
// that version with its type (members beyond those are allowed; those added without a new
// version are read where present), and takes the digest of its figures. False, with the reason
// in error, for the first fault in the table's order: "is not a tallyforge result document
// ...", "has schema_version 99; ...", "is not a valid result document: runs[2].ticks: expected
// an integer, found string" or "... missing total_score.passes".
bool ReadDocumentTree(const JsonValue& tree, ResultDocument& document, std::string& error);

}  // namespace tallyforge
