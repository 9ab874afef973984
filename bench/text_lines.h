#pragma once
// Walks a text line by line, for the checks that read result files back.
#include <cstdint>
#include <optional>
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

}  // namespace tallyforge
