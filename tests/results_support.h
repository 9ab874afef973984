#pragma once
// Runs and invocations made up for the result documents' tests: a verified run of a given time,
// the facts of a small machine, and a document of them as text, as JSON to edit, and read back.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "document_reader.h"
#include "formats.h"
#include "recorded_results.h"
#include "reference_reader.h"
#include "result_document.h"
#include "workload.h"

namespace tallyforge::testing {

inline RecordedRun MadeRun(int bench, int32_t ticks, int pass = 1) {
  RecordedRun run;
  run.pass = pass;
  run.outcome.bench = bench;
  run.outcome.ran = true;
  run.outcome.ticks = ticks;
  run.outcome.found = 74521;
  run.yourTime = TimeText(TicksToSeconds(ticks));
  run.refTime = "0.8\n";
  run.percent = PercentCellText(run.refTime, ticks);
  run.check.verdict = RunVerdict::kVerified;
  run.check.verification.bench = bench;
  run.check.verification.status = CheckStatus::kVerified;
  run.check.verification.checked = 74521;
  if (bench != 8) {
    run.outcome.file = "/somewhere/" + (bench == 9 ? std::string(kFactorsFileName)
                                                   : NumbersFileName(5));
    run.fileSha256 = "00ff";
  }
  return run;
}

inline DocumentContext Context() {
  DocumentContext context;
  context.time = "2026-12-07T09:40:00Z";
  context.arguments = {"B1", "B8"};
  context.machine = {"Test CPU", 2, 1, 1073741824, "Test OS", "6.1.0", "x86_64"};
  context.referencePath = "/work/Reference.txt";
  context.reference.status = ReferenceStatus::kRead;
  context.reference.lines = {"0.8\n", "1.7\n"};
  return context;
}

// A stress pass's score cell as a session records it: its number is worked out from the text.
struct MadeScore {
  int pass;
  bool scored;
  std::string text;
};

// The document of runs and stress passes' scores, as a session records them.
inline ResultDocument Document(const std::vector<RecordedRun>& runs,
                               const std::vector<MadeScore>& scores = {},
                               const DocumentContext& context = Context(), bool finished = true) {
  RecordedResults results;
  for (const RecordedRun& run : runs) AddRun(results, run, 2);
  for (const MadeScore& score : scores) AddScore(results, score.pass, score.scored, score.text);
  return BuildDocument(context, results, std::nullopt, finished);
}

// The document as its file holds it, parsed: to look at, or to edit.
inline nlohmann::json Json(const ResultDocument& document) {
  return nlohmann::json::parse(DocumentText(document));
}

// The text read back; fails the test when it cannot be.
inline ResultDocument Reread(const std::string& text) {
  std::string error;
  auto read = ParseDocument(text, error);
  EXPECT_TRUE(read) << error;
  return read ? std::move(*read) : ResultDocument{};
}
inline ResultDocument Reread(const nlohmann::json& document) { return Reread(document.dump()); }
inline ResultDocument Reread(const ResultDocument& document) {
  return Reread(DocumentText(document));
}

}  // namespace tallyforge::testing
