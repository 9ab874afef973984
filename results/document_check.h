#pragma once
// `check`: whether a result document's figures were edited after it was written, what the
// checks of its runs found, and whether its output files match the expected answers. The
// integrity check guards against accidents and casual edits; anyone can recompute the digest,
// so it proves nothing against deliberate forgery.
#include <cstdio>
#include <map>
#include <string>

#include "document_reader.h"

namespace tallyforge {

// Output file name -> SHA-256 of the file a correct, complete run of the standard work writes;
// a name may have one answer per line end (LF on POSIX systems, CR LF on Windows).
using ExpectedAnswers = std::multimap<std::string, std::string>;

struct DocumentFindings {
  bool edited = false;       // the figures' digest is not the one recorded
  bool fileDiffers = false;  // a complete run's output file is not its expected answer
  bool unfinished = false;   // written after a benchmark of a run that did not reach its end
  int verified = 0, stopped = 0, notChecked = 0, notRun = 0, wrong = 0;

  // A run whose result was checked and found right or wrong.
  bool anyChecked() const { return verified + stopped + wrong > 0; }
  // Nothing keeps the document from standing for complete, verified work.
  bool allWell() const {
    return !edited && !fileDiffers && !unfinished && stopped + notChecked + notRun + wrong == 0 &&
           anyChecked();
  }
};

// Prints a line on the figures, one per run (its verdict, what its check found, its file's
// checksum against the expected answer), and a last line that sums up; returns what it found.
// With out null nothing is printed.
DocumentFindings CheckDocument(const ResultDocument& document, const ExpectedAnswers& answers,
                               std::FILE* out);

// The last line check prints: "check: every run ..." or "check: FAILED: " and what failed.
std::string CheckSummaryText(const DocumentFindings& findings);

}  // namespace tallyforge
