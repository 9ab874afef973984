#pragma once
// `report`: result documents as one HTML page, or as SVG files in a folder.
#include "cli_options.h"

namespace tallyforge::cli {

// Reads every document (exit 2 at the first that cannot be read, naming it), then writes the
// page to options.reportOutput, or the SVG files into it when it ends in '/', each through a
// temporary file renamed into place. An output that is an existing folder without the '/', or
// one of the documents, is refused before anything is read (exit 2); one that cannot be
// written fails with exit 1.
int WriteReport(const CliOptions& options);

}  // namespace tallyforge::cli
