#include "core/rename/namechars.hpp"

#include "core/text/utf8.hpp"

namespace zerlant {

namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF stand for the bytes 0x80..0xFF

void encodeOne(char32_t c, std::string& out) {
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF)
        out += static_cast<char>(c - kEscapeBase);
    else
        appendUtf8(out, c);
}

bool inRange(char32_t c, char32_t lo, char32_t hi) {
    return c >= lo && c <= hi;
}

// Letters beyond ASCII: the accented Latin letters (those of Latin-1 and
// beyond), Greek and Cyrillic.
bool isLetterBeyondAscii(char32_t c) {
    if (inRange(c, 0x00C0, 0x00FF))
        return c != 0x00D7 && c != 0x00F7;  // not the multiplication and division signs
    if (inRange(c, 0x0100, 0x024F) || inRange(c, 0x1E00, 0x1EFF))
        return true;  // Latin
    if (inRange(c, 0x0370, 0x03FF))
        return c != 0x037E && c != 0x0387;  // Greek
    if (inRange(c, 0x0400, 0x04FF))
        return !inRange(c, 0x0482, 0x0489);  // Cyrillic
    return false;
}

}  // namespace

NameChars decodeName(std::string_view bytes) {
    NameChars out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        std::size_t len = decodeUtf8(bytes, i, c);
        if (len == 0) {
            out += kEscapeBase + static_cast<unsigned char>(bytes[i]);
            ++i;
        } else {
            out += c;
            i += len;
        }
    }
    return out;
}

std::string encodeName(const NameChars& chars) {
    std::string out;
    out.reserve(chars.size());
    for (char32_t c : chars) encodeOne(c, out);
    return out;
}

char32_t upperChar(char32_t c) {
    if (inRange(c, 'a', 'z'))
        return c - 0x20;
    if (c < 0x80)
        return c;
    if (inRange(c, 0xE0, 0xFE) && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (inRange(c, 0x100, 0x12F) || inRange(c, 0x132, 0x137) || inRange(c, 0x14A, 0x177))
        return (c & 1) ? c - 1 : c;
    if (inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E))
        return (c & 1) ? c : c - 1;
    if (inRange(c, 0x3B1, 0x3CB) && c != 0x3C2)
        return c - 0x20;
    if (c == 0x3C2)
        return 0x3A3;
    if (c == 0x3AC)
        return 0x386;
    if (inRange(c, 0x3AD, 0x3AF))
        return c - 0x25;
    if (c == 0x3CC)
        return 0x38C;
    if (inRange(c, 0x3CD, 0x3CE))
        return c - 0x3F;
    if (inRange(c, 0x430, 0x44F))
        return c - 0x20;
    if (inRange(c, 0x450, 0x45F))
        return c - 0x50;
    return c;
}

char32_t lowerChar(char32_t c) {
    if (inRange(c, 'A', 'Z'))
        return c + 0x20;
    if (c < 0x80)
        return c;
    if (inRange(c, 0xC0, 0xDE) && c != 0xD7)
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    if (inRange(c, 0x100, 0x12F) || inRange(c, 0x132, 0x137) || inRange(c, 0x14A, 0x177))
        return (c & 1) ? c : c + 1;
    if (inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E))
        return (c & 1) ? c + 1 : c;
    if (inRange(c, 0x391, 0x3AB) && c != 0x3A2)
        return c + 0x20;
    if (c == 0x386)
        return 0x3AC;
    if (inRange(c, 0x388, 0x38A))
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (inRange(c, 0x38E, 0x38F))
        return c + 0x3F;
    if (inRange(c, 0x410, 0x42F))
        return c + 0x20;
    if (inRange(c, 0x400, 0x40F))
        return c + 0x50;
    return c;
}

NameChars upperName(NameChars s) {
    for (auto& c : s) c = upperChar(c);
    return s;
}

NameChars lowerName(NameChars s) {
    for (auto& c : s) c = lowerChar(c);
    return s;
}

std::optional<unsigned char> windows1252Code(char32_t c) {
    return windows1252Byte(c, false);
}

bool esletraodigito(char32_t c) {
    if (inRange(c, 'a', 'z') || inRange(c, 'A', 'Z') || inRange(c, '0', '9'))
        return true;
    if (auto code = windows1252Code(c)) {
        unsigned v = *code;
        if (inRange(v, 128, 151) || inRange(v, 153, 154) || inRange(v, 160, 165))
            return true;
    }
    // Those code ranges leave out the accented letters of Windows-1252 itself
    // (é is 233), so that "título" would become "TíTulo": every letter
    // counts as a word character.
    return isLetterBeyondAscii(c);
}

std::size_t findNoCase(const NameChars& hay, const NameChars& needle, std::size_t from) {
    if (needle.empty() || needle.size() > hay.size())
        return NameChars::npos;
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && lowerChar(hay[i + k]) == lowerChar(needle[k])) ++k;
        if (k == needle.size())
            return i;
    }
    return NameChars::npos;
}

std::size_t rfindNoCase(const NameChars& hay, const NameChars& needle) {
    if (needle.empty() || needle.size() > hay.size())
        return NameChars::npos;
    for (std::size_t i = hay.size() - needle.size() + 1; i-- > 0;) {
        std::size_t k = 0;
        while (k < needle.size() && lowerChar(hay[i + k]) == lowerChar(needle[k])) ++k;
        if (k == needle.size())
            return i;
    }
    return NameChars::npos;
}

}  // namespace zerlant
