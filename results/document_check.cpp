#include "document_check.h"

#include <cstdarg>
#include <vector>

#include "result_document.h"
#include "run_check.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

// The exit statuses a copy of --jobs ends with for a wrong result and an unchecked one, as
// every run of the runner does.
constexpr int64_t kCopyWrong = 3;
constexpr int64_t kCopyNotChecked = 4;

// printf to out, unless there is none: the report wants the findings without the lines.
__attribute__((format(printf, 2, 3))) void Say(std::FILE* out, const char* format, ...) {
  if (out == nullptr) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(out, format, arguments);
  va_end(arguments);
}

void Count(RunVerdict verdict, DocumentFindings& findings) {
  switch (verdict) {
    case RunVerdict::kVerified: ++findings.verified; return;
    case RunVerdict::kStopped: ++findings.stopped; return;
    case RunVerdict::kNotChecked: ++findings.notChecked; return;
    case RunVerdict::kNotRun: ++findings.notRun; return;
    case RunVerdict::kWrong: ++findings.wrong; return;
  }
}

// What the run's output file is against its expected answer; empty when there is nothing to say.
std::string FileFinding(const DocumentRun& run, bool standard, const ExpectedAnswers& answers,
                        bool& differs) {
  if (!run.outputFile || !run.ran || run.stopped) return "";
  const std::string name = TerminalText(*run.outputFile);
  const auto [first, last] = answers.equal_range(*run.outputFile);
  if (!run.outputSha256) {
    differs = true;
    return name + ": no checksum recorded";
  }
  if (!standard || first == last) return name + ": no expected answer for this work";
  for (auto answer = first; answer != last; ++answer) {
    if (*run.outputSha256 == answer->second) return name + ": matches the expected answer";
  }
  differs = true;
  return name + ": DIFFERS from the expected answer";
}

// A copy is verified only when it ended complete: the parent records that it exited 0, every
// run of its finished document verified.
void JudgeCopy(const DocumentCopy& copy, DocumentFindings& findings, std::FILE* out) {
  const std::string name = copy.folder.empty()
                               ? std::to_string(copy.copies) + " copies at once"
                               : TerminalText(copy.folder);
  if (copy.exitCode == kCopyWrong) {
    ++findings.copiesWrong;
    Say(out, "%s: WRONG (see its result.json)\n", name.c_str());
  } else if (copy.complete && copy.exitCode == 0) {
    ++findings.copiesVerified;
    Say(out, "%s: complete, every result verified\n", name.c_str());
  } else if (copy.exitCode == kCopyNotChecked) {
    ++findings.copiesNotChecked;
    Say(out, "%s: not checked (see its result.json)\n", name.c_str());
  } else {
    ++findings.copiesIncomplete;
    Say(out, "%s: INCOMPLETE%s\n", name.c_str(),
        copy.state.empty() ? "" : (" (" + TerminalText(copy.state) + ")").c_str());
  }
}

}  // namespace

std::string CheckSummaryText(const DocumentFindings& f) {
  if (f.allWell()) {
    return "check: every run ran to its end and was verified; the figures are as written";
  }
  std::vector<std::string> problems;
  const auto add = [&](int count, const char* what) {
    if (count > 0) problems.push_back(std::to_string(count) + " " + what);
  };
  add(f.wrong, "WRONG");
  add(f.notChecked, "not checked");
  add(f.notRun, "not run");
  add(f.stopped, "stopped");
  add(f.copiesWrong, f.copiesWrong == 1 ? "copy WRONG" : "copies WRONG");
  add(f.copiesNotChecked, f.copiesNotChecked == 1 ? "copy not checked" : "copies not checked");
  add(f.copiesIncomplete, f.copiesIncomplete == 1 ? "copy incomplete" : "copies incomplete");
  if (!f.anyChecked()) problems.push_back("no run with a checked result");
  if (f.edited) problems.push_back("figures edited");
  if (f.fileDiffers) problems.push_back("an output file not as expected");
  if (!f.stop.empty()) problems.push_back(f.stop);
  if (f.unfinished) problems.push_back("written by a run that did not reach its end");
  std::string text = "check: FAILED: ";
  for (size_t i = 0; i < problems.size(); ++i) text += (i > 0 ? ", " : "") + problems[i];
  return text;
}

DocumentFindings CheckDocument(const ResultDocument& document, const ExpectedAnswers& answers,
                               std::FILE* out) {
  DocumentFindings findings;
  if (document.stop) findings.stop = StopText(*document.stop);
  findings.unfinished = !document.finished && !document.stop;  // a stop's document says more
  if (FiguresDigest(document.json) != document.figuresSha256) {
    findings.edited = true;
    Say(out, "figures: EDITED after the document was written (checksum differs)\n");
  } else {
    Say(out, "figures: unchanged since the document was written\n");
  }
  for (const DocumentRun& run : document.runs) {
    const RunVerdict verdict =
        JudgeRun(run.ran, run.stopped, run.check.value_or(CheckStatus::kNotChecked));
    Count(verdict, findings);
    std::string line = TerminalText(run.benchmark) + " pass " + std::to_string(run.pass) + ": ";
    // The recorded text says the verdict itself, unless the run was stopped (or the text does
    // not match its status).
    const std::string text = TerminalText(run.checkText);
    if (!text.starts_with(VerdictName(verdict))) line += VerdictName(verdict);
    if (!text.empty()) line += (line.back() == ' ' ? "" : "; ") + text;
    const std::string file = FileFinding(run, document.standardWorkload, answers,
                                         findings.fileDiffers);
    if (!file.empty()) line += "; " + file;
    Say(out, "%s\n", line.c_str());
  }
  for (const DocumentCopy& copy : document.copies) JudgeCopy(copy, findings, out);
  if (!findings.stop.empty()) Say(out, "the run was %s\n", findings.stop.c_str());
  if (findings.unfinished) {
    Say(out, "the run that wrote this document did not reach its end: it holds the "
                      "benchmarks finished until then\n");
  }
  Say(out, "%s\n", CheckSummaryText(findings).c_str());
  return findings;
}

}  // namespace tallyforge
