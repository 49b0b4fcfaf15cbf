#include "core/text/searchtext.hpp"

#include <string.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace zerlant {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Lower-cases the ASCII capitals of eight bytes at once.
inline std::uint64_t foldWord(std::uint64_t x) {
    std::uint64_t low7 = x & ~kHighBits;
    std::uint64_t aboveZ = low7 + (0x7f - 'Z') * kOnes;  // high bit set when byte > 'Z'
    std::uint64_t fromA = low7 + (0x80 - 'A') * kOnes;   // high bit set when byte >= 'A'
    std::uint64_t upper = (fromA ^ aboveZ) & ~x & kHighBits;
    return x | (upper >> 2);  // 0x80 >> 2 is the case bit 0x20
}

}  // namespace

void foldCaseInto(const char* from, std::size_t n, char* to) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, from + i, 8);
        w = foldWord(w);
        std::memcpy(to + i, &w, 8);
    }
    for (; i < n; ++i) to[i] = foldByte(from[i]);
}

std::string foldCase(std::string_view text) {
    std::string out(text.size(), '\0');
    foldCaseInto(text.data(), text.size(), out.data());
    return out;
}

FoldedText::FoldedText(std::string text) : text_(std::move(text)) {
    folded_.resize(text_.size());
    foldCaseInto(text_.data(), text_.size(), folded_.data());
}

FoldedText FoldedText::fromParts(std::string text, std::string folded) {
    if (folded.size() != text.size())
        return FoldedText(std::move(text));
    FoldedText out;
    out.text_ = std::move(text);
    out.folded_ = std::move(folded);
    return out;
}

TextRef TextRef::sub(std::size_t pos, std::size_t len) const {
    if (pos > text_.size())
        pos = text_.size();
    return TextRef(text_.substr(pos, len), folded_.substr(pos, len));
}

namespace {

// Forward search with glibc's memmem (vectorised two-way / skip table).
std::size_t forwardSearch(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty() || from > hay.size() || hay.size() - from < needle.size())
        return std::string_view::npos;
    const void* hit = ::memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    if (!hit)
        return std::string_view::npos;
    return static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

// Backward search: memmem over blocks taken from the end towards the start;
// the hits of a block are offered to `accept` last first.  Blocks overlap by
// the needle's length less one, so no occurrence falls between two blocks.
template <class Accept>
std::size_t backwardSearch(std::string_view hay, std::string_view needle, std::size_t before,
                           const Accept& accept) {
    if (needle.empty() || hay.size() < needle.size())
        return std::string_view::npos;
    std::size_t lastStart = hay.size() - needle.size();
    if (before < lastStart)
        lastStart = before;
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::size_t> hits;
    std::size_t end = lastStart + 1;  // candidate starts are [0, end)
    while (end > 0) {
        const std::size_t begin = end > kBlock ? end - kBlock : 0;
        const std::size_t span = end - begin + needle.size() - 1;  // bytes the block may read
        hits.clear();
        for (std::size_t at = begin; at < end;) {
            const void* hit =
                ::memmem(hay.data() + at, span - (at - begin), needle.data(), needle.size());
            if (!hit)
                break;
            const auto found = static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
            hits.push_back(found);
            at = found + 1;
        }
        for (auto h = hits.rbegin(); h != hits.rend(); ++h)
            if (accept(*h))
                return *h;
        end = begin;
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
    return backwardSearch(folded_, folded, before, [](std::size_t) { return true; });
}

std::size_t TextRef::rfindIf(std::string_view needle,
                             const std::function<bool(std::size_t)>& accept) const {
    std::string folded = foldCase(needle);
    return backwardSearch(folded_, folded, npos, accept);
}

std::size_t TextRef::findExact(std::string_view needle, std::size_t from) const {
    return forwardSearch(text_, needle, from);
}

}  // namespace zerlant
