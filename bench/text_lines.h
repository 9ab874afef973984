#pragma once
// Walks a text line by line, for the checks that read result files back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallyforge {

class TextLines {
 public:
  explicit TextLines(std::string_view text) : m_rest(text) {}

  // The next line without its newline; nullopt at the end of the text.
  std::optional<std::string_view> Next() {
    if (m_rest.empty()) {
      if (!m_ended) ++m_number;
      m_ended = true;
      return std::nullopt;
    }
    ++m_number;
    const size_t end = m_rest.find('\n');
    std::string_view line = m_rest.substr(0, end);
    m_cut = end == std::string_view::npos;
    m_rest.remove_prefix(m_cut ? m_rest.size() : end + 1);
    return line;
  }
  // The line Next returned last had no newline: the text was cut off there.
  bool cut() const { return m_cut; }
  // The number of the line Next returned last, from 1; after the end, one past the last line.
  int64_t number() const { return m_number; }

 private:
  std::string_view m_rest;
  int64_t m_number = 0;
  bool m_cut = false;
  bool m_ended = false;
};

// A text-mode file's bytes with each of its line ends (lineEnd: LF, or CR LF on Windows) made a
// LF, for the checks, which read lines ended by LF.
struct LfText {
  std::string text;
  int64_t badLine = 0;  // the first line whose end is not lineEnd (a lone LF), from 1; 0 if none
  std::string badText;  // that line, as it stands
};

inline LfText FromTextMode(std::string_view bytes, std::string_view lineEnd) {
  LfText result;
  if (lineEnd == "\n") {
    result.text = bytes;
    return result;
  }
  result.text.reserve(bytes.size());
  int64_t line = 1;
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) {
      result.text += bytes.substr(at);  // the last line, cut off: the checks say so
      break;
    }
    std::string_view text = bytes.substr(at, end - at);
    if (text.ends_with(lineEnd.substr(0, lineEnd.size() - 1))) {
      text.remove_suffix(lineEnd.size() - 1);
    } else if (result.badLine == 0) {
      result.badLine = line;
      result.badText = text;
    }
    result.text += text;
    result.text += '\n';
    at = end + 1;
    ++line;
  }
  return result;
}

}  // namespace tallyforge
