#include "report_command.h"

#include <cstdio>
#include <cstring>
#include <system_error>

#include "document_file.h"
#include "document_reader.h"
#include "exit_status.h"
#include "expected_answers.h"
#include "folder_lock.h"
#include "messages.h"
#include "report_html.h"
#include "report_model.h"
#include "report_svg.h"
#include "safe_text.h"

namespace tallyforge::cli {
namespace {

bool EndsInSeparator(const std::string& name) {
  return !name.empty() && (name.back() == '/' || name.back() == static_cast<char>(
                                                                std::filesystem::path::preferred_separator));
}

// Why the output cannot be what the user named; empty when it can.
std::string OutputProblem(const std::string& output, const std::vector<std::filesystem::path>& documents) {
  std::error_code ec;
  if (EndsInSeparator(output)) {
    const std::filesystem::path folder(output);
    if (std::filesystem::exists(folder, ec) && !std::filesystem::is_directory(folder, ec)) {
      return "is not a folder";
    }
    return "";
  }
  if (std::filesystem::is_directory(output, ec)) {
    return "is a folder; to write the SVG files into it, end the name with / (" + output + "/)";
  }
  if (output != "-" && NamesOneOf(output, documents)) {
    return "is one of the documents read; choose another name";
  }
  if (output != "-" && IsFolderLockFile(output)) {
    return "is a folder's lock file (" + std::string(kFolderLockName) + "); choose another name";
  }
  return "";
}

// Why the SVG files cannot go into folder, found before any document is read; empty when they
// can (it exists, or its parent does).
std::string FolderProblem(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::path parent = folder.parent_path().parent_path();
  if (!std::filesystem::exists(folder, ec) && !parent.empty() &&
      !std::filesystem::is_directory(parent, ec)) {
    return "its parent folder does not exist";
  }
  return "";
}

int WriteSvgFiles(const std::filesystem::path& folder, const ReportModel& model,
                  const std::vector<std::filesystem::path>& documents) {
  const auto files = ReportSvgFiles(model);
  for (const auto& [name, text] : files) {
    if (NamesOneOf(folder / name, documents)) {
      Complain("report -o " + folder.string() + "/: " + name + " is one of the documents read; "
               "choose another folder");
      return kExitUsage;
    }
  }
  std::error_code ec;
  std::filesystem::create_directory(folder, ec);
  if (ec) {
    Complain("report -o " + folder.string() + "/: cannot create the folder: " + ec.message());
    return kExitRunFailed;
  }
  for (const auto& [name, text] : files) {
    if (const int error = DocumentFile(folder / name).Write(text, true)) {
      Complain("report: cannot write " + (folder / name).string() + ": " + std::strerror(error));
      return kExitRunFailed;
    }
  }
  std::printf("Wrote %zu SVG files into %s/\n", files.size(), TerminalText(folder.string()).c_str());
  return 0;
}

}  // namespace

int WriteReport(const CliOptions& options) {
  const std::string& output = options.reportOutput;
  if (const std::string problem = OutputProblem(output, options.documents); !problem.empty()) {
    Complain("report -o " + output + ": " + problem);
    return kExitUsage;
  }
  const bool svg = EndsInSeparator(output);
  DocumentFile page(output);
  if (const std::string problem = svg ? FolderProblem(output) : page.Problem(); !problem.empty()) {
    Complain("report -o " + output + ": " + problem);
    return kExitRunFailed;
  }
  // One document at a time: only what the report shows is kept of each.
  std::vector<ReportDocument> described;
  const ExpectedAnswers answers = StandardAnswers();
  for (const auto& path : options.documents) {
    std::string error;
    const auto document = ReadDocument(path, error);
    if (!document) {
      Complain(path.string() + " " + error);
      return kExitUsage;
    }
    described.push_back(DescribeForReport(path.string(), *document, answers));
  }
  const ReportModel model = BuildReport(std::move(described));
  if (svg) {
    std::string folder = output;
    while (folder.size() > 1 && EndsInSeparator(folder)) folder.pop_back();
    return WriteSvgFiles(folder, model, options.documents);
  }
  if (const int error = page.Write(ReportHtml(model), true)) {
    Complain("report: cannot write " + output + ": " + std::strerror(error));
    return kExitRunFailed;
  }
  if (!page.toStdout()) {
    std::printf("Wrote the report of %zu %s to %s\n", model.documents.size(),
                model.documents.size() == 1 ? "document" : "documents", TerminalText(output).c_str());
  }
  return 0;
}

}  // namespace tallyforge::cli
