#pragma once
// A file that a text replaces whole, or the standard output: where the result document and the
// report go. Whether it can be written is found before anything is, and a failed write leaves
// the last text written whole, so that an earlier file is never emptied.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallyforge {

// Whether path names one of files: the same file also through another spelling (./a, d/../a),
// a symbolic link or a hard link.
bool NamesOneOf(const std::filesystem::path& path, const std::vector<std::filesystem::path>& files);

class DocumentFile {
 public:
  // path "-" is the standard output, written once, at the end.
  explicit DocumentFile(std::filesystem::path path) : m_path(std::move(path)) {}

  // Why the document could not be written there ("is a directory", a missing folder, no write
  // permission), found without writing anything; empty when it can be.
  std::string Problem() const;

  // Replaces the file with text (the standard output gets only the final text). Returns 0, or
  // the errno of the failure; the file then holds the last text written whole, if any.
  int Write(std::string_view text, bool final);

  bool toStdout() const { return m_path == "-"; }
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

}  // namespace tallyforge
