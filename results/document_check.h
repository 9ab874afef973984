#pragma once
// `check`: whether a result document's figures were edited after it was written, what the
// checks of its runs found, and whether its output files match the expected answers. The
// integrity check guards against accidents and casual edits; anyone can recompute the digest,
// so it proves nothing against deliberate forgery.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "result_document.h"

namespace tallyforge {

// Output file name -> SHA-256 of the file a correct, complete run of the standard work writes;
// a name may have one answer per line end (LF on POSIX systems, CR LF on Windows).
using ExpectedAnswers = std::multimap<std::string, std::string>;

struct DocumentFindings {
  bool edited = false;       // the figures' digest is not the one recorded
  bool fileDiffers = false;  // a complete run's output file is not its expected answer
  bool unfinished = false;   // written after a benchmark of a run that did not reach its end
  std::string stop;          // what a stop left undone (StopText); empty when none ended it
  // --each-core: a run on a processor the document does not list, a run without one, or a
  // listed processor with neither a run nor a turn not taken.
  bool processorsInconsistent = false;
  // What check says, a line each: the figures, each run (its verdict, what its check found,
  // its file's checksum against the expected answer), each turn of --each-core not taken (counted
  // as not run), each copy of --jobs (how it ended), what a
  // stop left undone; the summing-up line (CheckSummaryText) is not among them.
  std::vector<std::string> lines;
  int verified = 0, stopped = 0, notChecked = 0, notRun = 0, wrong = 0;
  // The copies of --jobs, as the parent recorded how each ended.
  int copiesVerified = 0, copiesWrong = 0, copiesNotChecked = 0, copiesIncomplete = 0;

  // A run whose result was checked and found right or wrong, or a copy judged by how it ended.
  bool anyChecked() const {
    return verified + stopped + wrong + copiesVerified + copiesWrong + copiesIncomplete > 0;
  }
  bool anyWrong() const { return wrong + copiesWrong > 0; }
  // A result that could not be checked or a run that did not take place, or none checked.
  bool anyUnchecked() const {
    return notChecked + notRun + copiesNotChecked > 0 || !anyChecked();
  }
  // Nothing keeps the document from standing for complete, verified work.
  bool allWell() const {
    return !edited && !fileDiffers && !unfinished && !processorsInconsistent && stop.empty() && stopped == 0 &&
           copiesIncomplete == 0 && !anyWrong() && !anyUnchecked();
  }
};

// What check finds of document, judged against the expected answers of the standard work.
DocumentFindings CheckDocument(const ResultDocument& document, const ExpectedAnswers& answers);

// What check prints: the findings' lines, then the summing-up line.
void PrintFindings(std::FILE* out, const DocumentFindings& findings);

// check's exit status for the findings of one or more documents: 3 when any records a WRONG
// result, else 4 when any has a run (or copy) not checked or none checked, else 1 when any
// fails check otherwise, else 0.
int CheckExitStatus(const std::vector<const DocumentFindings*>& findings);

// The last line check prints: "check: every run ..." or "check: FAILED: " and what failed.
std::string CheckSummaryText(const DocumentFindings& findings);

}  // namespace tallyforge
