#include "document_check.h"

#include "exit_status.h"
#include "run_verdict.h"
#include "safe_text.h"

namespace tallyforge {
namespace {

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
// run of its finished document verified. A wrong result outranks "complete", which is never
// trusted beside it.
std::string JudgeCopy(const std::string& folder, int64_t copies, int64_t exitCode, bool complete,
                      const std::string& state, DocumentFindings& findings) {
  const std::string name =
      folder.empty() ? std::to_string(copies) + " copies at once" : TerminalText(folder);
  if (exitCode == kExitWrongResult) {
    ++findings.copiesWrong;
    return name + ": WRONG (see its result.json)";
  }
  if (complete && exitCode == 0) {
    ++findings.copiesVerified;
    return name + ": complete, every result verified";
  }
  if (exitCode == kExitNotChecked) {
    ++findings.copiesNotChecked;
    return name + ": not checked (see its result.json)";
  }
  ++findings.copiesIncomplete;
  return name + ": INCOMPLETE" + (state.empty() ? "" : " (" + TerminalText(state) + ")");
}

void JudgeJobs(const std::vector<DocumentJobCount>& counts, DocumentFindings& findings) {
  for (const DocumentJobCount& count : counts) {
    if (count.copies < 1 || count.results.size() != static_cast<uint64_t>(count.copies)) {
      // Never written so: one entry stands for whatever is missing, so that it cannot pass.
      findings.lines.push_back(JudgeCopy("", count.copies, -1, false,
                                         std::to_string(count.results.size()) +
                                             " copies recorded of " + std::to_string(count.copies),
                                         findings));
    }
    for (const DocumentCopy& copy : count.results) {
      findings.lines.push_back(
          JudgeCopy(copy.folder, count.copies, copy.exitCode, copy.complete, copy.state, findings));
    }
  }
}

// --each-core: each turn not taken, counted as a run not run, and whether runs and processors
// agree.
void JudgeEachCore(const ResultDocument& document, DocumentFindings& findings) {
  const auto listed = [&](int64_t processor) {
    for (const DocumentProcessor& p : document.eachCore->processors) {
      if (p.processor == processor) return true;
    }
    return false;
  };
  for (const DocumentNotRun& turn : document.eachCore->notRun) {
    ++findings.notRun;
    findings.lines.push_back("processor " + std::to_string(turn.processor) + " pass " +
                             std::to_string(turn.pass) + ": NOT RUN: " + TerminalText(turn.reason));
  }
  std::string inconsistency;
  for (const DocumentRun& run : document.runs) {
    if (!run.processor) {
      inconsistency = TerminalText(run.benchmark) + " pass " + std::to_string(run.pass) +
                      " names no processor";
    } else if (!listed(*run.processor)) {
      inconsistency = TerminalText(run.benchmark) + " pass " + std::to_string(run.pass) +
                      " names processor " + std::to_string(*run.processor) +
                      ", which each_core does not list";
    }
  }
  for (const DocumentProcessor& p : document.eachCore->processors) {
    bool accounted = false;
    for (const DocumentRun& run : document.runs) accounted |= run.processor == p.processor;
    for (const DocumentNotRun& turn : document.eachCore->notRun) accounted |= turn.processor == p.processor;
    // A stop may end the work before a processor's turn.
    if (!accounted && !document.stop) {
      inconsistency = "processor " + std::to_string(p.processor) + " has neither a run nor a "
                      "turn not taken";
    }
  }
  if (!inconsistency.empty()) {
    findings.processorsInconsistent = true;
    findings.lines.push_back("each_core: INCONSISTENT: " + inconsistency);
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
  if (f.processorsInconsistent) problems.push_back("runs and processors disagree");
  if (f.fileDiffers) problems.push_back("an output file not as expected");
  if (!f.stop.empty()) problems.push_back(f.stop);
  if (f.unfinished) problems.push_back("written by a run that did not reach its end");
  std::string text = "check: FAILED: ";
  for (size_t i = 0; i < problems.size(); ++i) text += (i > 0 ? ", " : "") + problems[i];
  return text;
}

DocumentFindings CheckDocument(const ResultDocument& document, const ExpectedAnswers& answers) {
  DocumentFindings findings;
  if (document.stop) findings.stop = StopText(*document.stop);
  findings.unfinished = !document.finished && !document.stop;  // a stop's document says more
  findings.edited = document.figuresDigest != document.integrity.figuresSha256;
  findings.lines.push_back(findings.edited
                               ? "figures: EDITED after the document was written (checksum differs)"
                               : "figures: unchanged since the document was written");
  for (const DocumentRun& run : document.runs) {
    const CheckStatus status =
        run.verification ? run.verification->status : CheckStatus::kNotChecked;
    const RunVerdict verdict = JudgeRun(run.ran, run.stopped, status);
    Count(verdict, findings);
    std::string line = TerminalText(run.benchmark) + " pass " + std::to_string(run.pass) +
                       (run.processor ? " processor " + std::to_string(*run.processor) : "") + ": ";
    // The recorded text says the verdict itself, unless the run was stopped (or the text does
    // not match its status).
    const std::string text = run.verification ? TerminalText(run.verification->text) : "";
    if (!text.starts_with(VerdictName(verdict))) line += VerdictName(verdict);
    if (!text.empty()) line += (line.back() == ' ' ? "" : "; ") + text;
    const std::string file =
        FileFinding(run, IsStandardWorkload(document), answers, findings.fileDiffers);
    if (!file.empty()) line += "; " + file;
    findings.lines.push_back(line);
  }
  if (document.eachCore) JudgeEachCore(document, findings);
  if (document.jobs) JudgeJobs(*document.jobs, findings);
  if (!findings.stop.empty()) findings.lines.push_back("the run was " + findings.stop);
  if (findings.unfinished) {
    findings.lines.push_back("the run that wrote this document did not reach its end: it holds "
                             "the benchmarks finished until then");
  }
  return findings;
}

void PrintFindings(std::FILE* out, const DocumentFindings& findings) {
  for (const std::string& line : findings.lines) std::fprintf(out, "%s\n", line.c_str());
  std::fprintf(out, "%s\n", CheckSummaryText(findings).c_str());
}

int CheckExitStatus(const std::vector<const DocumentFindings*>& findings) {
  const auto any = [&](auto fails) {
    for (const DocumentFindings* f : findings) {
      if (fails(*f)) return true;
    }
    return false;
  };
  if (any([](const DocumentFindings& f) { return f.anyWrong(); })) return kExitWrongResult;
  if (any([](const DocumentFindings& f) { return f.anyUnchecked(); })) return kExitNotChecked;
  return any([](const DocumentFindings& f) { return !f.allWell(); }) ? kExitRunFailed : 0;
}

}  // namespace tallyforge
