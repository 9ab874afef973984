#pragma once
// Texts from outside (files, paths, arguments, /proc) made safe for where they go: valid UTF-8
// for a JSON document, printable characters for a terminal, escaped text for HTML and SVG.
#include <cstddef>
#include <string>
#include <string_view>

namespace tallyforge {

// text with every byte that is not part of a valid UTF-8 sequence replaced by U+FFFD, so that
// the replacement stays visible.
std::string ValidUtf8(std::string_view text);

// text for a terminal: the printable characters of valid UTF-8 kept, every control character
// (newlines included), text-direction override and invalid byte shown as '?'. Nothing that could
// move the cursor or switch the terminal's mode gets through.
std::string TerminalText(std::string_view text);

// text for HTML or XML, in element content and in quoted attributes alike: & < > " ' escaped,
// every invalid byte, control character, direction override and non-character (U+FFFE, U+FFFF)
// shown as U+FFFD, and a text longer than longest characters cut there with "...".
std::string MarkupText(std::string_view text, size_t longest = 200);

}  // namespace tallyforge
