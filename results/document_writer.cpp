#include "document_writer.h"

#include <cstring>

#include "safe_text.h"

namespace tallyforge {

DocumentWriter::DocumentWriter(std::filesystem::path path, std::FILE* messages)
    : m_file(std::move(path)), m_messages(messages) {}

std::string DocumentWriter::Problem() const { return wanted() ? m_file.Problem() : ""; }

int DocumentWriter::Write(const RecordedResults& results, bool finished) {
  // The standard output takes only the final text: nothing to make before.
  if (!wanted() || (toStdout() && !finished)) return 0;
  return Replace(BuildDocument(m_context, results, std::nullopt, finished), finished);
}

int DocumentWriter::Write(const std::vector<CountResult>& jobs, bool finished) {
  if (!wanted() || (toStdout() && !finished)) return 0;
  return Replace(BuildDocument(m_context, {}, jobs, finished), finished);
}

int DocumentWriter::Replace(const ResultDocument& document, bool finished) {
  const int error = m_file.Write(DocumentText(document), finished);
  if (error != 0 && !m_failed) {
    const std::string message = "--json " + m_file.path().string() +
                                ": cannot write the document: " + std::strerror(error);
    std::fprintf(m_messages, "tallyforge-cli: %s\n", TerminalText(message).c_str());
    std::fflush(m_messages);
  }
  m_failed = m_failed || error != 0;
  return error;
}

}  // namespace tallyforge
