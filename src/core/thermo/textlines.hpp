#pragma once
// Line-by-line helpers for reading Gaussian output bytes as they are on disk
// (LF or CR LF line ends), shared by the thermochemistry and job-health readers.

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant::thermo::lines {

// The lines of the text without their line ends ("\n" or "\r\n").
inline std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        start = next;
    }
    return out;
}

inline std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

inline char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-insensitive: Gaussian 98 prints some headings in capitals.
inline bool startsWith(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(s[i]) != lower(prefix[i]))
            return false;
    return true;
}

inline std::size_t find(std::string_view s, std::string_view what) {
    if (what.empty() || s.size() < what.size())
        return std::string_view::npos;
    for (std::size_t i = 0; i + what.size() <= s.size(); ++i)
        if (startsWith(s.substr(i), what))
            return i;
    return std::string_view::npos;
}

inline bool contains(std::string_view s, std::string_view what) {
    return find(s, what) != std::string_view::npos;
}

// A whole token as a number; Fortran's D exponent is accepted.
inline std::optional<double> number(std::string_view token) {
    if (token.empty() || token.size() > 64)
        return std::nullopt;
    std::string buffer(token);
    for (char& c : buffer)
        if (c == 'D' || c == 'd')
            c = 'E';
    const char* first = buffer.data();
    if (*first == '+')
        ++first;
    double value = 0;
    auto [end, ec] = std::from_chars(first, buffer.data() + buffer.size(), value);
    if (ec != std::errc() || end != buffer.data() + buffer.size() || !std::isfinite(value))
        return std::nullopt;  // "nan" and "inf" are not numbers of an output
    return value;
}

// A number that must be a modest whole number (a multiplicity, a symmetry
// number, an atomic number): nullopt outside 0..1e6 or with a fraction.
inline std::optional<int> count(std::optional<double> value) {
    if (!value || *value < 0 || *value > 1e6 || *value != std::floor(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

// The blank-separated tokens of a line.
inline std::vector<std::string_view> tokens(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
        if (j > i)
            out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

// The first token after `after` (or of the whole line) as a number.
inline std::optional<double> numberAfter(std::string_view line, std::string_view after) {
    const std::size_t at = find(line, after);
    if (at == std::string_view::npos)
        return std::nullopt;
    auto t = tokens(line.substr(at + after.size()));
    if (t.empty())
        return std::nullopt;
    std::string_view first = t.front();
    while (!first.empty() && first.back() == '.')  // "number  2." ends a sentence
        first.remove_suffix(1);
    return number(first);
}

// Every token of the text that reads as a number, in order.
inline std::vector<double> numbers(std::string_view s) {
    std::vector<double> out;
    for (std::string_view t : tokens(s))
        if (auto v = number(t))
            out.push_back(*v);
    return out;
}

}  // namespace zerlant::thermo::lines
