#include "core/text/formula.hpp"

#include <map>
#include <optional>

namespace zerlant {

namespace {

bool upper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool lower(char c) {
    return c >= 'a' && c <= 'z';
}
bool digit(char c) {
    return c >= '0' && c <= '9';
}

using Counts = std::map<std::string, long long>;

std::string hillOrder(Counts counts, std::string_view suffix) {
    std::string out;
    auto put = [&](const std::string& symbol) {
        const auto it = counts.find(symbol);
        if (it == counts.end())
            return;
        out += symbol;
        if (it->second != 1)
            out += std::to_string(it->second);
        counts.erase(it);
    };
    if (counts.count("C") != 0) {
        put("C");
        put("H");
    }
    // Symbols are one capital and small letters: the map's byte order is
    // the alphabetical one.
    while (!counts.empty()) put(counts.begin()->first);
    out += suffix;
    return out;
}

// The element counts of a formula text; nullopt when it is not one.
std::optional<Counts> countsOf(std::string_view text, std::string_view& suffix) {
    std::size_t end = text.size();
    // "C2H5O1(1-)", "CH3(2)": the charge and multiplicity stay as written.
    if (end > 0 && text[end - 1] == ')') {
        const std::size_t open = text.rfind('(');
        if (open == std::string_view::npos || open == 0)
            return std::nullopt;
        suffix = text.substr(open);
        end = open;
    }
    Counts counts;
    std::size_t i = 0;
    while (i < end) {
        if (!upper(text[i]))
            return std::nullopt;
        std::size_t j = i + 1;
        while (j < end && lower(text[j])) ++j;
        const std::string symbol(text.substr(i, j - i));
        std::size_t k = j;
        while (k < end && digit(text[k])) ++k;
        if (k - j > 9)
            return std::nullopt;
        long long count = 1;
        if (k > j) {
            count = 0;
            for (std::size_t d = j; d < k; ++d) count = count * 10 + (text[d] - '0');
        }
        counts[symbol] += count;
        i = k;
    }
    if (counts.empty())
        return std::nullopt;
    return counts;
}

}  // namespace

std::string hillFormula(std::string_view formula) {
    std::string_view suffix;
    const std::optional<Counts> counts = countsOf(formula, suffix);
    return counts ? hillOrder(*counts, suffix) : std::string(formula);
}

std::string hillFormula(const std::vector<std::string>& symbols) {
    Counts counts;
    for (const std::string& s : symbols)
        if (!s.empty())
            ++counts[s];
    return hillOrder(std::move(counts), {});
}

}  // namespace zerlant
