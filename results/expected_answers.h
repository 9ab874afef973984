#pragma once
// The SHA-256 of every output file that a correct, complete run of the standard work writes.
#include "document_check.h"

namespace tallyforge {

const ExpectedAnswers& StandardAnswers();

}  // namespace tallyforge
