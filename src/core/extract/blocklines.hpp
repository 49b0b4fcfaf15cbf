#pragma once
// Walking a cut-out block of an output file line by line and piece by piece
// without allocating per line: the parsers cut their block out of the file
// first and then only look at views into it.

#include <cstddef>
#include <string_view>
#include <vector>

namespace zerlant::blocklines {

// Calls f(index, line) for every line of `block` split at CR LF (zero-based,
// the text after the last CR LF included as the last line).  Returns the
// number of lines.
template <typename F>
std::size_t forEachLine(std::string_view block, F&& f) {
    std::size_t index = 0;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = block.find("\r\n", from);
        if (at == std::string_view::npos) {
            f(index, block.substr(from));
            return index + 1;
        }
        f(index, block.substr(from, at - from));
        ++index;
        from = at + 2;
    }
}

// The non-empty pieces of `line` split at blanks, into `out` (cleared first,
// its capacity reused).
inline void nonEmptyPieces(std::string_view line, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && line[i] == ' ') ++i;
        std::size_t start = i;
        while (i < n && line[i] != ' ') ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
}

}  // namespace zerlant::blocklines
