#include "run_outcome.h"

#include "output_file.h"
#include "workload.h"

namespace tallyforge {

std::string FileProblemText(const RunOutcome& outcome) {
  const std::string name = BenchmarkName(outcome.bench);
  const std::string reason = OutputFileErrorText(outcome.fileError);
  if (!outcome.ran) return name + " not run: cannot create " + outcome.file.string() + ": " + reason;
  if (outcome.fileError != 0) {
    return name + ": write error on " + outcome.file.string() + ": " + reason +
           "; the file is incomplete";
  }
  return "";
}

}  // namespace tallyforge
