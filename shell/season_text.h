#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vnt {

// Season files come from many editors: a UTF-8 byte-order mark at the start is dropped,
// and every byte that is not part of a valid UTF-8 sequence is taken as Windows-1252 (the
// Western encoding the files were first written in), so the result is always valid UTF-8.
// ASCII bytes, and with them every separator, quote and digit, are kept as they are.
std::string decodeSeasonText(std::string_view bytes);

// The length of the well-formed UTF-8 sequence at the start of `s` (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view s);

// Whether every byte is ASCII, so the text needs no decoding.
bool isAsciiText(std::string_view s);

}  // namespace vnt
