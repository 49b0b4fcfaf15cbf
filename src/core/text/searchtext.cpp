#include "core/text/searchtext.hpp"

#include <cstring>
#include <string.h>

namespace zerlant {

std::string foldCase(std::string_view text) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = foldByte(text[i]);
    return out;
}

FoldedText::FoldedText(std::string text) : text_(std::move(text)), folded_(foldCase(text_)) {}

TextRef TextRef::sub(std::size_t pos, std::size_t len) const {
    if (pos > text_.size()) pos = text_.size();
    return TextRef(text_.substr(pos, len), folded_.substr(pos, len));
}

namespace {

// Forward search with glibc's memmem (two-way / vectorised).
std::size_t forwardSearch(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty() || from > hay.size() || hay.size() - from < needle.size())
        return std::string_view::npos;
    const void* hit = ::memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    if (!hit) return std::string_view::npos;
    return static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

// Backward search: memrchr on the needle's first byte, then compare.
std::size_t backwardSearch(std::string_view hay, std::string_view needle, std::size_t before) {
    if (needle.empty() || hay.size() < needle.size()) return std::string_view::npos;
    std::size_t last = hay.size() - needle.size();
    if (before < last) last = before;
    std::size_t span = last + 1;  // candidate starts are [0, last]
    const char first = needle[0];
    while (span > 0) {
        const void* hit = ::memrchr(hay.data(), first, span);
        if (!hit) return std::string_view::npos;
        std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
        if (std::memcmp(hay.data() + pos, needle.data(), needle.size()) == 0) return pos;
        span = pos;
    }
    return std::string_view::npos;
}

}  // namespace

std::size_t TextRef::find(std::string_view needle, std::size_t from) const {
    std::string folded = foldCase(needle);
    return forwardSearch(folded_, folded, from);
}

std::size_t TextRef::rfind(std::string_view needle, std::size_t before) const {
    std::string folded = foldCase(needle);
    return backwardSearch(folded_, folded, before);
}

std::size_t TextRef::findExact(std::string_view needle, std::size_t from) const {
    return forwardSearch(text_, needle, from);
}

}  // namespace zerlant
