#include "core/text/numbers.hpp"

#include <charconv>
#include <cmath>

namespace zerlant {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses the whole text as a number in the given format; on success returns the
// canonical form ("-12.5E3") that std::from_chars reads.
std::optional<std::string> canonicalNumber(std::string_view text, char sep) {
    const char group = (sep == ',') ? '.' : ',';
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    if (b == e) return std::nullopt;
    std::string out;
    std::size_t i = b;
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-') out += '-';
        ++i;
    }
    bool intDigits = false, fracDigits = false;
    while (i < e && (isDigit(text[i]) || (text[i] == group && intDigits))) {
        if (text[i] != group) {
            out += text[i];
            intDigits = true;
        }
        ++i;
    }
    if (i < e && text[i] == sep) {
        out += '.';
        ++i;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            fracDigits = true;
        }
    }
    if (!intDigits && !fracDigits) return std::nullopt;
    if (!intDigits) out.insert(out.find('.'), "0");
    if (i < e && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        out += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) out += text[i++];
        bool expDigits = false;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (i != e) return std::nullopt;
    return out;
}

double parseCanonical(const std::string& s) {
    double v = 0;
    const char* first = s.data();
    if (*first == '+') ++first;
    auto r = std::from_chars(first, s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars leaves v untouched on overflow/underflow; decide by exponent sign.
        bool neg = s[0] == '-';
        auto epos = s.find('e');
        bool tiny = epos != std::string::npos && s.find('-', epos) != std::string::npos;
        v = tiny ? 0.0 : HUGE_VAL;
        if (neg) v = -v;
    }
    return v;
}

}  // namespace

bool isNumeric(std::string_view text, char decimalSeparator) {
    return canonicalNumber(text, decimalSeparator).has_value();
}

std::optional<double> toDouble(std::string_view text, char decimalSeparator) {
    auto c = canonicalNumber(text, decimalSeparator);
    if (!c) return std::nullopt;
    return parseCanonical(*c);
}

std::optional<std::int16_t> toInt16(std::string_view text, char decimalSeparator) {
    auto v = toDouble(text, decimalSeparator);
    if (!v) return std::nullopt;
    double r = std::nearbyint(*v);  // default rounding mode: half to even
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

double leadingNumber(std::string_view text) {
    // Collect the characters of the number, skipping blanks, tabs and line feeds.
    std::string s;
    std::size_t i = 0, n = text.size();
    auto skip = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    };
    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') s += '-';
        ++i;
        skip();
    }
    bool digits = false, dot = false;
    for (;;) {
        skip();
        if (i < n && isDigit(text[i])) {
            s += text[i++];
            digits = true;
        } else if (i < n && text[i] == '.' && !dot) {
            s += '.';
            dot = true;
            ++i;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    if (s.back() == '.') s.pop_back();
    if (s.front() == '.' || (s.size() > 1 && s[0] == '-' && s[1] == '.')) s.insert(s[0] == '-' ? 1 : 0, "0");
    skip();
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t save = i;
        std::string exp = "e";
        ++i;
        skip();
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            exp += text[i++];
            skip();
        }
        bool expDigits = false;
        while (i < n && isDigit(text[i])) {
            exp += text[i++];
            expDigits = true;
            skip();
        }
        if (expDigits)
            s += exp;
        else
            i = save;
    }
    return parseCanonical(s);
}

std::string formatNumber(double value, char decimalSeparator) {
    if (value == 0.0 || std::isnan(value)) return "0";  // no "-0"
    if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    // to_chars writes "1e-05"; the table form is "1E-05".
    for (char& c : s) {
        if (c == 'e') c = 'E';
        else if (c == '.') c = decimalSeparator;
    }
    return s;
}

}  // namespace zerlant
