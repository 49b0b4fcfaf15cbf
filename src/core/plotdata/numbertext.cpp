#include "core/plotdata/numbertext.hpp"

#include <charconv>
#include <cmath>

namespace zerlant::plotdata {

std::optional<double> numberIn(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r'))
        field.remove_suffix(1);
    if (field.empty())
        return std::nullopt;
    std::string text(field);
    for (char& c : text)
        if (c == ',')
            c = '.';
    const char* begin = text.data();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

std::string tidied(const char* begin, const char* end) {
    std::string s(begin, end);
    return s == "-0" ? "0" : s;
}

}  // namespace

std::string numberText(double value) {
    if (!std::isfinite(value))
        return {};
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? tidied(buffer, end) : std::string();
}

std::string numberText(double value, int digits) {
    if (!std::isfinite(value))
        return {};
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return ec == std::errc() ? tidied(buffer, end) : std::string();
}

}  // namespace zerlant::plotdata
