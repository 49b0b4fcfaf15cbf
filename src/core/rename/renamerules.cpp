#include "core/rename/renamerules.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/rename/namechars.hpp"

namespace zerlant {

namespace {

// A replace-all whose replacements keep building new occurrences is stopped
// here: no file name comes near this length.
constexpr std::size_t kMaxWorkLength = 4096;

// Base and extension of a name split at its last dot; the extension keeps
// its dot.  A name without a dot is all base.
struct SplitName {
    NameChars base;
    NameChars ext;
};

SplitName splitAtLastDot(const NameChars& name) {
    auto dot = name.rfind(U'.');
    if (dot == NameChars::npos)
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

// Positions, counts and widths the rule needs, at least `min`.
std::optional<int> boxAtLeast(std::string_view text, int min) {
    auto v = boxNumber(text);
    if (!v || *v < min)
        return std::nullopt;
    return v;
}

NameChars insertAt(const NameChars& name, const NameChars& text, std::size_t position) {
    std::size_t keep = std::min(position - 1, name.size());
    return name.substr(0, keep) + text + name.substr(keep);
}

// Prefix, suffix (before the extension when keepExtension) or position.
std::optional<NameChars> place(const NameChars& name, const NameChars& text, Placement where,
                               bool keepExtension, std::string_view positionBox) {
    switch (where) {
        case Placement::Prefix:
            return text + name;
        case Placement::Suffix:
            if (keepExtension) {
                auto parts = splitAtLastDot(name);
                return parts.base + text + parts.ext;
            }
            return name + text;
        case Placement::Position: {
            auto p = boxAtLeast(positionBox, 1);
            if (!p)
                return std::nullopt;
            return insertAt(name, text, static_cast<std::size_t>(*p));
        }
    }
    return std::nullopt;
}

std::optional<NameChars> deleteRule(const RenameOptions& o, const NameChars& name) {
    SplitName parts = o.deleteKeepExtension ? splitAtLastDot(name) : SplitName{name, {}};
    const NameChars& w = parts.base;

    NameChars left, rest;
    if (o.deleteFrom == DeleteFrom::Position) {
        auto d = boxAtLeast(o.deleteFromPosition, 1);
        if (!d)
            return std::nullopt;
        auto at = static_cast<std::size_t>(*d) - 1;  // 0-based start of the deletion
        left = w.substr(0, std::min(at, w.size()));
        rest = at < w.size() ? w.substr(at + 1) : NameChars();
    } else {
        auto at = findNoCase(w, decodeName(o.deleteFromDelimiter));
        if (at == NameChars::npos)
            return w + parts.ext;
        left = w.substr(0, at);
        rest = w.substr(at + 1);
    }

    NameChars right;
    switch (o.deleteTo) {
        case DeleteTo::Count: {
            auto c = boxAtLeast(o.deleteToCount, 1);
            if (!c)
                return std::nullopt;
            right = rest.substr(std::min(static_cast<std::size_t>(*c) - 1, rest.size()));
            break;
        }
        case DeleteTo::Delimiter: {
            auto q = findNoCase(rest, decodeName(o.deleteToDelimiter));
            right = q == NameChars::npos ? rest : rest.substr(q + 1);
            break;
        }
        case DeleteTo::End:
            break;
    }
    return left + right + parts.ext;
}

// Cuts out every occurrence of t, also those that earlier cuts bring
// together.  The search goes on just before the cut, where a new occurrence
// can begin.
NameChars removeAll(NameChars s, const NameChars& t) {
    std::size_t from = 0;
    for (;;) {
        auto at = findNoCase(s, t, from);
        if (at == NameChars::npos)
            return s;
        s.erase(at, t.size());
        from = at >= t.size() ? at - t.size() + 1 : 0;
    }
}

// Replaces every occurrence of t by u.  When u does not hold t, the result is
// that of replacing the first occurrence again and again until none is left
// (occurrences that a replacement brings together are replaced too).  When u
// holds t, the search resumes after each inserted u, so it ends.
std::optional<NameChars> replaceAll(NameChars s, const NameChars& t, const NameChars& u) {
    bool selfSimilar = findNoCase(u, t) != NameChars::npos;
    std::size_t from = 0;
    for (;;) {
        auto at = findNoCase(s, t, from);
        if (at == NameChars::npos)
            return s;
        s.replace(at, t.size(), u);
        if (s.size() > kMaxWorkLength)
            return std::nullopt;  // runaway growth
        if (selfSimilar) {
            from = at + u.size();
        } else {
            from = at >= t.size() ? at - t.size() + 1 : 0;
        }
    }
}

std::optional<NameChars> replaceOne(const NameChars& s, const NameChars& t, const NameChars& u,
                                    bool last) {
    auto at = last ? rfindNoCase(s, t) : findNoCase(s, t);
    if (at == NameChars::npos)
        return std::nullopt;
    NameChars out = s;
    out.replace(at, t.size(), u);
    return out;
}

NameChars changeCase(NameChars w, CaseChange how) {
    switch (how) {
        case CaseChange::Upper:
            return upperName(std::move(w));
        case CaseChange::Lower:
            return lowerName(std::move(w));
        case CaseChange::Title:
        case CaseChange::Invert: {
            bool title = how == CaseChange::Title;
            w = title ? lowerName(std::move(w)) : upperName(std::move(w));
            auto flip = [title](char32_t c) { return title ? upperChar(c) : lowerChar(c); };
            for (std::size_t i = 0; i < w.size(); ++i)
                if (i == 0 || !esletraodigito(w[i - 1]))
                    w[i] = flip(w[i]);
            return w;
        }
    }
    return w;
}

std::optional<NameChars> numberRule(const RenameOptions& o, const NameChars& name, int row) {
    auto start = boxAtLeast(o.numberStart, 0);
    auto width = boxAtLeast(o.numberWidth, 0);
    if (!start || !width)
        return std::nullopt;
    long n = static_cast<long>(*start) + row - 1;
    NameChars text = decodeName(numeroconrelleno(n, *width, o.numberFill));
    return place(name, text, o.numberAt, o.numberKeepExtension, o.numberPosition);
}

}  // namespace

std::string numeroconrelleno(long number, long width, std::string_view fill) {
    std::string digits = std::to_string(number);
    std::string out;
    for (long i = static_cast<long>(digits.size()); i < width; ++i) out += fill;
    return out + digits;
}

std::optional<int> boxNumber(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::string> previewName(const RenameOptions& o, std::string_view nameBytes,
                                       int row) {
    NameChars name = decodeName(nameBytes);
    std::optional<NameChars> out;
    switch (o.rule) {
        case RenameRule::Insert:
            out = place(name, decodeName(o.insertText), o.insertAt, o.insertKeepExtension,
                        o.insertPosition);
            break;
        case RenameRule::Delete:
            out = deleteRule(o, name);
            break;
        case RenameRule::Remove: {
            NameChars t = decodeName(o.removeText);
            if (t.empty())
                return std::nullopt;
            if (o.removeWhich == Occurrence::All)
                out = removeAll(name, t);
            else
                out = replaceOne(name, t, {}, o.removeWhich == Occurrence::Last);
            break;
        }
        case RenameRule::Replace: {
            NameChars t = decodeName(o.replaceText);
            NameChars u = decodeName(o.replaceWith);
            if (t.empty())
                return std::nullopt;
            if (o.replaceWhich == Occurrence::All)
                out = replaceAll(name, t, u);
            else
                out = replaceOne(name, t, u, o.replaceWhich == Occurrence::Last);
            break;
        }
        case RenameRule::Extension: {
            auto dot = name.rfind(U'.');
            NameChars kept = dot == NameChars::npos ? name + U'.' : name.substr(0, dot + 1);
            out = kept + decodeName(o.newExtension);
            break;
        }
        case RenameRule::Case: {
            SplitName parts = o.caseKeepExtension ? splitAtLastDot(name) : SplitName{name, {}};
            out = changeCase(std::move(parts.base), o.caseChange) + parts.ext;
            break;
        }
        case RenameRule::Number:
            out = numberRule(o, name, row);
            break;
    }
    return out ? encodeName(*out) : std::string();
}

void preview(const RenameOptions& options, FileRows& rows) {
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (auto name = previewName(options, rows[r].name, static_cast<int>(r)))
            rows[r].newName = std::move(*name);
    }
}

}  // namespace zerlant
