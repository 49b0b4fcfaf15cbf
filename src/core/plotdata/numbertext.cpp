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

std::string numberText(double value, int digits) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    if (ec != std::errc())
        return "0";
    std::string s(buffer, end);
    return s == "-0" ? "0" : s;
}

}  // namespace zerlant::plotdata
