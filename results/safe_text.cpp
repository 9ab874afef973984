#include "safe_text.h"

#include <algorithm>

namespace tallyforge {
namespace {

// The length of the valid UTF-8 sequence at the start of text (its code point in cp), or 0 when
// its first byte does not start one: overlong forms, surrogates and values past U+10FFFF are
// invalid too.
size_t SequenceAt(std::string_view text, char32_t& cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  cp = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  return length;
}

bool Printable(char32_t cp) {
  if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return false;
  if (cp >= 0x202A && cp <= 0x202E) return false;  // embeddings and overrides of direction
  return cp < 0x2066 || cp > 0x2069;               // direction isolates
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    char32_t cp = 0;
    const size_t length = SequenceAt(text, cp);
    if (length == 0) {
      valid += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    } else {
      valid.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return valid;
}

std::string TerminalText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    char32_t cp = 0;
    const size_t length = SequenceAt(text, cp);
    if (length == 0 || !Printable(cp)) {
      shown += '?';
      text.remove_prefix(length == 0 ? 1 : length);
    } else {
      shown.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return shown;
}

std::string MarkupText(std::string_view text, size_t longest) {
  std::string shown;
  shown.reserve(std::min(text.size(), longest) + 16);
  for (size_t characters = 0; !text.empty(); ++characters) {
    if (characters == longest) {
      shown += "...";
      break;
    }
    char32_t cp = 0;
    const size_t length = SequenceAt(text, cp);
    if (length == 0 || !Printable(cp) || cp == 0xFFFE || cp == 0xFFFF) {
      shown += "\xEF\xBF\xBD";
    } else if (cp == '&') {
      shown += "&amp;";
    } else if (cp == '<') {
      shown += "&lt;";
    } else if (cp == '>') {
      shown += "&gt;";
    } else if (cp == '"') {
      shown += "&quot;";
    } else if (cp == '\'') {
      shown += "&#39;";
    } else {
      shown.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return shown;
}

}  // namespace tallyforge
