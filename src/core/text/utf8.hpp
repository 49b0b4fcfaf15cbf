#pragma once
// UTF-8 sequences and the Windows-1252 code page, byte by byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zerlant {

// Decodes the UTF-8 sequence at `pos` into `cp` and returns its length; 0 when
// the bytes there are not valid UTF-8 (a stray or cut sequence, an overlong
// form, a surrogate, a value past U+10FFFF).
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& cp);

// Appends the UTF-8 form of `cp`.
void appendUtf8(std::string& out, char32_t cp);

bool isValidUtf8(std::string_view s);

// The character of a Windows-1252 byte.  The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the C1 control of the same
// value, so that every byte survives a round trip.
char32_t windows1252Char(unsigned char byte);

// The Windows-1252 byte of a character, nullopt when the code page has none.
// The C1 controls of the five undefined bytes map back to those bytes only
// when `undefinedBytes` is true.
std::optional<unsigned char> windows1252Byte(char32_t c, bool undefinedBytes);

// Windows-1252 bytes as UTF-8 text (every byte converts).
std::string windows1252ToUtf8(std::string_view s);

// Any bytes as UTF-8 text: valid UTF-8 as it is, anything else read as
// Windows-1252 (the conversion of every export that must be UTF-8).
std::string anyBytesAsUtf8(std::string_view s);

// UTF-8 text as Windows-1252 bytes (the undefined bytes round-trip); false
// when the text is not valid UTF-8 or some character has no byte.
bool utf8ToWindows1252(std::string_view s, std::string& out);

}  // namespace zerlant
