#pragma once
// Runs and invocations made up for the result documents' tests: a verified run of a given time,
// and the facts of a small machine.
#include <gtest/gtest.h>

#include "document_reader.h"
#include "formats.h"
#include "reference_reader.h"
#include "result_document.h"
#include "run_record.h"
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

// The document's text read back; fails the test when it cannot be.
inline ResultDocument Reread(const nlohmann::json& document) {
  std::string error;
  auto read = ParseDocument(DocumentText(document), error);
  EXPECT_TRUE(read) << error;
  return read ? std::move(*read) : ResultDocument{};
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

}  // namespace tallyforge::testing
