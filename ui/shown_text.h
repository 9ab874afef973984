#pragma once
// Bytes from files, paths and the engine, as the window shows them.
#include <wx/string.h>

#include <string>

namespace tallyforge::ui {

// The text of UTF-8 bytes; bytes that are not UTF-8 (a Latin-1 file, an odd path) are taken as
// Latin-1, one character each, so that no text turns blank for one odd byte.
inline wxString ShownText(const std::string& bytes) {
  wxString text = wxString::FromUTF8(bytes.data(), bytes.size());
  if (text.empty() && !bytes.empty()) text = wxString(bytes.data(), wxConvISO8859_1, bytes.size());
  return text;
}

}  // namespace tallyforge::ui
