#pragma once
// Walking the lines of an output text, whatever its line ends (the bytes on
// disk: LF or CR LF; the normalised text: CR LF), and splitting a line into
// its blank-separated pieces, without allocating per line.

#include <charconv>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace zerlant::gaussian {

// The line that starts at `from` (without its line end) and where the next
// one starts; `next` is the text's size after the last line.
struct Line {
    std::string_view text;
    std::size_t next;
};

inline Line lineAt(std::string_view text, std::size_t from) {
    const std::size_t lf = text.find('\n', from);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return {line, lf == std::string_view::npos ? text.size() : lf + 1};
}

inline void piecesOf(std::string_view line, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
}

// A ruler of a printed table, dashes and blanks (a CR left of a line end is
// let pass):
//   " ---------------------------------------------------------------------"
inline bool ruler(std::string_view line) {
    bool dash = false;
    for (char c : line) {
        if (c == '-')
            dash = true;
        else if (c != ' ' && c != '\t' && c != '\r')
            return false;
    }
    return dash;
}

inline bool blank(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r')
            return false;
    return true;
}

// The whole piece as a whole number; nothing for anything else.
inline std::optional<int> integer(std::string_view piece) {
    int v = 0;
    const auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), v);
    if (ec != std::errc() || end != piece.data() + piece.size())
        return std::nullopt;
    return v;
}

}  // namespace zerlant::gaussian
