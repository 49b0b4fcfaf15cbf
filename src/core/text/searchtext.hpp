#pragma once
// Case-blind searching over large texts.
//
// Output files reach hundreds of megabytes and every quantity is found by a
// case-blind search.  FoldedText keeps the text together with a copy folded to
// lower case once; TextRef is a cheap window onto both, so a cut-out block is
// searched again without folding anything a second time.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zerlant {

// ASCII lower-casing of one byte; other bytes are left as they are.
inline char foldByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string foldCase(std::string_view text);
// Writes the folded form of n bytes from `from` to `to` (eight bytes at a time).
void foldCaseInto(const char* from, std::size_t n, char* to);

class TextRef {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    TextRef() = default;
    TextRef(std::string_view text, std::string_view folded) : text_(text), folded_(folded) {}

    std::string_view text() const { return text_; }
    std::string_view folded() const { return folded_; }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    std::string str() const { return std::string(text_); }

    // The part from pos (clamped) of at most len bytes.
    TextRef sub(std::size_t pos, std::size_t len = npos) const;

    // Case-blind search; `needle` may be in any case.  npos when absent or
    // when the needle is empty.
    std::size_t find(std::string_view needle, std::size_t from = 0) const;
    // Last occurrence starting at or before `before` (npos: anywhere).
    std::size_t rfind(std::string_view needle, std::size_t before = npos) const;
    // The occurrences of `needle`, last first, offered to `accept` until it
    // takes one; the position it took, or npos.  The text is searched a block
    // at a time from the end, so an occurrence near the end costs only the
    // tail of a large file.
    std::size_t rfindIf(std::string_view needle,
                        const std::function<bool(std::size_t)>& accept) const;
    bool contains(std::string_view needle) const { return find(needle) != npos; }

    // Exact (case-sensitive) search over the original text.
    std::size_t findExact(std::string_view needle, std::size_t from = 0) const;

  private:
    std::string_view text_;
    std::string_view folded_;
};

class FoldedText {
  public:
    FoldedText() = default;
    explicit FoldedText(std::string text);
    // A text together with its folded copy made elsewhere (with foldCaseInto
    // over the same bytes, so that large texts are folded while they are
    // built).  A copy of the wrong size is folded again.
    static FoldedText fromParts(std::string text, std::string folded);

    FoldedText(const FoldedText&) = delete;
    FoldedText& operator=(const FoldedText&) = delete;
    FoldedText(FoldedText&&) noexcept = default;
    FoldedText& operator=(FoldedText&&) noexcept = default;

    TextRef ref() const { return TextRef(text_, folded_); }
    operator TextRef() const { return ref(); }
    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }

  private:
    std::string text_;
    std::string folded_;
};

}  // namespace zerlant
