#pragma once
// File names as sequences of characters.
//
// Names on disk are bytes, normally UTF-8.  The rename rules count, cut and
// compare characters, so a name is decoded into code points first.  A byte
// that is not part of valid UTF-8 becomes a code point of its own in the range
// U+DC80..U+DCFF and is written back as the same byte, so no name is ever
// damaged by a rule that does not touch it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zerlant {

using NameChars = std::u32string;

NameChars decodeName(std::string_view bytes);
std::string encodeName(const NameChars& chars);

// Letter case of one character: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters; every other character is returned unchanged.
char32_t upperChar(char32_t c);
char32_t lowerChar(char32_t c);
NameChars upperName(NameChars s);
NameChars lowerName(NameChars s);

// The character's code in the Windows-1252 code page, when it has one.
std::optional<unsigned char> windows1252Code(char32_t c);

// True for a word character: an ASCII letter or digit; a character with a
// Windows-1252 code in 128..151, 153..154 or 160..165; or any other letter
// (the accented Latin letters, Greek, Cyrillic).  Everything else (blanks,
// punctuation, '_') is not.
bool esletraodigito(char32_t c);

// Case-blind search for `needle` in `hay`, from `from`; npos when absent or
// when the needle is empty.
std::size_t findNoCase(const NameChars& hay, const NameChars& needle, std::size_t from = 0);
// Last case-blind occurrence; npos when absent or when the needle is empty.
std::size_t rfindNoCase(const NameChars& hay, const NameChars& needle);

}  // namespace zerlant
