#pragma once
// --jobs: copies of the work in separate processes at once, each with its own engine state and
// its own folder; what they add up to (results/jobs_summary.h) printed and written.
#include "cli_options.h"
#include "document_writer.h"

namespace tallyforge::cli {

struct SessionSetup;

// Runs every count of options.jobCounts in turn (each copy a session of setup in its folder),
// prints the per-copy times and the scaling curve to setup.rows, and has document rewritten
// after every count. Returns the exit code: 130 after Ctrl-C, else the worst of the copies'.
int RunJobs(const CliOptions& options, const SessionSetup& setup, DocumentWriter& document);

}  // namespace tallyforge::cli
