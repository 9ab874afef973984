#pragma once
// The one owner of an invocation's result document, whoever makes it (a run, the stability
// loop, --jobs, a copy of --jobs): the file is checked before any work, so that a bad path
// fails at once, then replaced whole after every benchmark (or count of copies) and at the
// end, so that an interrupted run leaves the document of what it finished and an earlier file
// is never emptied. BuildDocument and DocumentText make the text; this owns the file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "document_file.h"
#include "result_document.h"

namespace tallyforge {

class DocumentWriter {
 public:
  // path: the document's file; "-" is the standard output, written once, at the end; empty:
  // none is wanted and nothing is written. The first failure to write is said on messages.
  DocumentWriter(std::filesystem::path path, std::FILE* messages);

  bool wanted() const { return !m_file.path().empty(); }
  bool toStdout() const { return m_file.toStdout(); }
  // Why the document could not be written there ("is a directory", a missing folder, no write
  // permission), found without writing anything; empty when it can be, or when none is wanted.
  std::string Problem() const;

  // What the document says of the invocation besides its runs; set before the first Write.
  DocumentContext& context() { return m_context; }

  // Replaces the document with that of a session's results, or of the copies of --jobs so far.
  // finished: the invocation has reached its end. Returns 0, or the errno of the failure.
  int Write(const RecordedResults& results, bool finished);
  int Write(const std::vector<CountResult>& jobs, bool finished);

 private:
  int Replace(const ResultDocument& document, bool finished);

  DocumentFile m_file;
  std::FILE* m_messages;
  DocumentContext m_context;
  bool m_failed = false;
};

}  // namespace tallyforge
