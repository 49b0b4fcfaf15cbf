#pragma once
// Reading an output file's lines piece by piece as the bytes come, keeping
// nothing but an unfinished last line: the base of the optimisation readers,
// which work on files of any size and on files still being written.

#include <string.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/common/result.hpp"

namespace zerlant::optimisation_detail {

// Lines are short; a "line" of megabytes holds nothing a reader looks at.
inline constexpr std::size_t kLongestLine = 4096;

// The lines of bytes fed piece by piece, in order.  Only the lines holding
// one of the anchors are handed on, found by a fast search, or every line
// while `everyLine()` says so.  An unfinished last line waits for its line
// end (or for `finish`).
class AnchoredLines {
  public:
    // At most this many anchors.
    static constexpr std::size_t kMostAnchors = 16;

    template <typename Every, typename Line>
    void feed(std::string_view bytes, std::span<const std::string_view> anchors, Every&& everyLine,
              Line&& line) {
        const std::size_t count = std::min(anchors.size(), kMostAnchors);
        consumed_ += bytes.size();
        // First the end of a line begun in the last piece.
        while (!bytes.empty() && !partial_.empty()) {
            const auto end = bytes.find('\n');
            const std::string_view piece = bytes.substr(0, end);
            if (partial_.size() < kLongestLine)
                partial_.append(piece.substr(0, kLongestLine - partial_.size()));
            if (end == std::string_view::npos)
                return;
            const std::string whole = std::move(partial_);
            partial_.clear();
            line(std::string_view(whole));
            bytes.remove_prefix(end + 1);
        }
        const auto lastEnd = bytes.rfind('\n');
        const std::string_view complete =
            lastEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lastEnd + 1);
        std::array<std::size_t, kMostAnchors> next{};
        for (std::size_t a = 0; a < count; ++a) next[a] = search(complete, anchors[a], 0);
        std::size_t pos = 0;
        while (pos < complete.size()) {
            std::size_t lineStart;
            if (everyLine()) {
                lineStart = pos;
            } else {
                std::size_t hit = std::string_view::npos;
                for (std::size_t a = 0; a < count; ++a) {
                    if (next[a] != std::string_view::npos && next[a] < pos)
                        next[a] = search(complete, anchors[a], pos);
                    hit = std::min(hit, next[a]);
                }
                if (hit == std::string_view::npos)
                    break;
                const auto before = complete.rfind('\n', hit);
                lineStart = before == std::string_view::npos || before < pos ? pos : before + 1;
            }
            const auto lineEnd = complete.find('\n', lineStart);
            line(complete.substr(lineStart, lineEnd - lineStart));
            pos = lineEnd + 1;
        }
        const std::string_view rest = bytes.substr(complete.size());
        partial_.assign(rest.substr(0, kLongestLine));
    }

    // Hands on the unfinished last line, if any, as a whole line.
    template <typename Line>
    void finish(Line&& line) {
        if (partial_.empty())
            return;
        const std::string whole = std::move(partial_);
        partial_.clear();
        line(std::string_view(whole));
    }

    std::uint64_t consumed() const { return consumed_; }

  private:
    // Where `anchor` first occurs in `text` at or after `from`: glibc's
    // memmem, many times faster than a search that stops at every byte
    // equal to the anchor's first (a blank, a common letter).
    static std::size_t search(std::string_view text, std::string_view anchor, std::size_t from) {
        if (from >= text.size())
            return std::string_view::npos;
        const void* at =
            ::memmem(text.data() + from, text.size() - from, anchor.data(), anchor.size());
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data())
                  : std::string_view::npos;
    }

    std::string partial_;
    std::uint64_t consumed_ = 0;
};

// Calls piece(bytes) for the file at `path`, read in pieces of 1 MiB.
Status readInPieces(const std::string& path, const std::function<void(std::string_view)>& piece);

}  // namespace zerlant::optimisation_detail
