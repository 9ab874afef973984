#include "document_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "atomic_file.h"

namespace tallyforge {
namespace {

// path made absolute, its links resolved as far as it exists.
std::filesystem::path Resolved(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec).lexically_normal();
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute : canonical;
}

}  // namespace

bool NamesOneOf(const std::filesystem::path& path, const std::vector<std::filesystem::path>& files) {
  const std::filesystem::path target = Resolved(path);
  for (const std::filesystem::path& file : files) {
    std::error_code ec;
    if (Resolved(file) == target || std::filesystem::equivalent(path, file, ec)) return true;
  }
  return false;
}

std::string DocumentFile::Problem() const {
  if (toStdout()) return "";
  std::error_code ec;
  const auto status = std::filesystem::status(m_path, ec);
  if (std::filesystem::is_directory(status)) return "is a directory";
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return "is not a regular file (use '-' for the standard output)";
  }
  const int error = ProbeReplaceFile(m_path);
  return error == 0 ? "" : std::strerror(error);
}

int DocumentFile::Write(std::string_view text, bool final) {
  if (!toStdout()) return ReplaceFile(m_path, text);
  if (!final) return 0;
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (std::fflush(stdout) != 0 || !written) return errno != 0 ? errno : EIO;
  return 0;
}

}  // namespace tallyforge
