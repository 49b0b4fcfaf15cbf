#include "core/text/numbers.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zerlant {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isExponentMark(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Parses the whole text as a number in the given format; on success returns the
// canonical form ("-12.5e3") that std::from_chars reads.
std::optional<std::string> canonicalNumber(std::string_view text, char sep) {
    const char group = (sep == ',') ? '.' : ',';
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    if (b == e)
        return std::nullopt;
    std::string out;
    out.reserve(e - b + 1);
    std::size_t i = b;
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-')
            out += '-';
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
        if (!intDigits)
            out += '0';
        out += '.';
        ++i;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            fracDigits = true;
        }
    }
    if (!intDigits && !fracDigits)
        return std::nullopt;
    if (i < e && isExponentMark(text[i])) {
        out += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        bool expDigits = false;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            expDigits = true;
        }
        if (!expDigits)
            return std::nullopt;
    }
    if (i != e)
        return std::nullopt;
    return out;
}

// True when a canonical number that std::from_chars found out of range is too
// large (rather than too small) for a double: the decimal exponent of its
// first significant digit is positive.
bool tooLarge(const std::string& s) {
    std::size_t i = (s[0] == '-') ? 1 : 0;
    long long magnitude = 0;
    bool found = false;
    long long intCount = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (found || s[i] != '0') {
            found = true;
            ++intCount;
        }
    }
    if (found) {
        magnitude = intCount - 1;
    } else if (i < s.size() && s[i] == '.') {
        long long k = 0;
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++k) {
            if (s[i] != '0') {
                found = true;
                break;
            }
        }
        magnitude = -(k + 1);
        while (i < s.size() && isDigit(s[i])) ++i;
    }
    if (!found)
        return false;
    auto epos = s.find('e');
    if (epos != std::string::npos) {
        bool negative = s[epos + 1] == '-';
        long long exp = 0;
        for (std::size_t j = epos + 1; j < s.size(); ++j) {
            if (!isDigit(s[j]))
                continue;
            if (exp < 1'000'000'000)
                exp = exp * 10 + (s[j] - '0');
        }
        magnitude += negative ? -exp : exp;
    }
    return magnitude > 0;
}

// The value of a canonical number; nullopt when it is too large for a double.
// A value too small for a double reads as zero.
std::optional<double> parseCanonical(const std::string& s) {
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (tooLarge(s))
            return std::nullopt;
        v = s[0] == '-' ? -0.0 : 0.0;
    }
    return v;
}

}  // namespace

bool isNumeric(std::string_view text, char decimalSeparator) {
    return toDouble(text, decimalSeparator).has_value();
}

std::optional<double> toDouble(std::string_view text, char decimalSeparator) {
    auto c = canonicalNumber(text, decimalSeparator);
    if (!c)
        return std::nullopt;
    return parseCanonical(*c);
}

std::optional<std::int16_t> toInt16(std::string_view text, char decimalSeparator) {
    auto v = toDouble(text, decimalSeparator);
    if (!v)
        return std::nullopt;
    double r = std::nearbyint(*v);  // default rounding mode: half to even
    if (!(r >= -32768.0 && r <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

double leadingNumber(std::string_view text) {
    // Collect the characters of the number; blanks, tabs and line feeds are
    // skipped wherever they stand.  Anything else (a carriage return too) ends it.
    std::string s;
    std::size_t i = 0, n = text.size();
    auto skip = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    };
    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            s += '-';
        ++i;
    }
    bool digits = false, dot = false;
    for (;;) {
        skip();
        if (i < n && isDigit(text[i])) {
            s += text[i++];
            digits = true;
        } else if (i < n && text[i] == '.' && !dot) {
            if (!digits)
                s += '0';
            s += '.';
            dot = true;
            ++i;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (s.back() == '.')
        s.pop_back();
    if (i < n && isExponentMark(text[i])) {
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
    }
    auto v = parseCanonical(s);
    if (!v)
        return s[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    return *v;
}

std::string formatNumber(double value, char decimalSeparator) {
    if (value == 0.0 || std::isnan(value))
        return "0";  // no "-0"
    if (std::isinf(value))
        return value > 0 ? "1.#INF" : "-1.#INF";
    char buf[64];
    // The precision overload of to_chars is specified as printf's "%.15g" in
    // the C locale, whatever the process locale is.
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    for (char& c : s) {
        if (c == 'e')
            c = 'E';
        else if (c == '.')
            c = decimalSeparator;
    }
    return s;
}

}  // namespace zerlant
