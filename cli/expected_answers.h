#pragma once
// The SHA-256 of every output file that a correct, complete run of the standard work writes.
#include "result_check.h"

namespace tallyforge::cli {

const ExpectedAnswers& StandardAnswers();

}  // namespace tallyforge::cli
