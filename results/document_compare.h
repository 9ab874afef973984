#pragma once
// `compare`: two result documents' median times and scores side by side.
#include <cstdio>

#include "document_check.h"

namespace tallyforge {

struct Comparison {
  bool common = false;         // the documents have a benchmark in common
  DocumentFindings a, b;       // what check finds of each
};

// Says first what check finds wrong with either document and when their times were not measured
// with the same arithmetic, then prints both documents' median seconds per benchmark and their
// median scores side by side, with the ratio of B to A.
Comparison CompareDocuments(const ResultDocument& a, const ResultDocument& b,
                            const ExpectedAnswers& answers, std::FILE* out);

// compare's exit status: check's for the worse of the two documents, else 1 when they have no
// benchmark in common, else 0.
int CompareExitStatus(const Comparison& comparison);

}  // namespace tallyforge
