#include "core/text/textutils.hpp"

#include <algorithm>

#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"

namespace zerlant {

namespace {
constexpr std::string_view kElementSymbols =
    "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As "
    "Se Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd "
    "Tb Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am "
    "Cm Bk Cf Es Fm Md No Lr";
}

TextRef textoentre(TextRef text, std::string_view start, std::string_view end, bool fromEnd) {
    if (text.empty() || start.empty())
        return {};
    std::size_t at = fromEnd ? text.rfind(start) : text.find(start);
    if (at == TextRef::npos)
        return {};
    std::size_t p = at + start.size();
    if (end.empty())
        return text.sub(p);
    std::size_t q = text.find(end, p + 1);
    if (q == TextRef::npos)
        return {};
    return text.sub(p, q - p);
}

std::string_view trimBlanks(std::string_view t) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    return t;
}

double numeroentre(TextRef text, std::string_view start, std::string_view end, bool fromEnd) {
    std::string_view piece = textoentre(text, start, end, fromEnd).text();
    while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
    return isNumeric(piece) ? leadingNumber(piece) : 0.0;
}

bool contienetexto(TextRef text, std::string_view word) {
    if (text.empty() || word.empty())
        return false;
    return text.contains(word);
}

bool contienetexto(std::string_view text, std::string_view word) {
    if (text.empty() || word.empty())
        return false;
    const std::string folded = foldCase(word);
    auto hit = std::search(text.begin(), text.end(), folded.begin(), folded.end(),
                           [](char a, char b) { return foldByte(a) == b; });
    return hit != text.end();
}

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> out;
    if (separator.empty()) {
        out.push_back(text);
        return out;
    }
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find(separator, from);
        if (at == std::string_view::npos) {
            out.push_back(text.substr(from));
            return out;
        }
        out.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
}

double primernumerotras(TextRef text, std::string_view anchor, std::string_view separator,
                        bool fromEnd) {
    std::string_view line = textoentre(text, anchor, kCrLf, fromEnd).text();
    for (std::string_view field : splitText(line, separator)) {
        if (field.empty())
            continue;
        if (isNumeric(field.substr(0, field.size() - 1)))
            return leadingNumber(field);
    }
    return 0.0;
}

std::vector<double> leercomponentes(std::string_view text, int n) {
    std::vector<double> values(n > 0 ? static_cast<std::size_t>(n) : 0, 0.0);
    auto parts = splitText(text, ",");
    for (std::size_t i = 0; i < values.size() && i < parts.size(); ++i)
        values[i] = leadingNumber(parts[i]);
    return values;
}

std::vector<std::string> quitarvacios(const std::vector<std::string>& list) {
    std::vector<std::string> out;
    for (const auto& s : list)
        if (!s.empty())
            out.push_back(s);
    return out;
}

std::vector<std::string_view> quitarvacios(const std::vector<std::string_view>& list) {
    std::vector<std::string_view> out;
    for (std::string_view s : list)
        if (!s.empty())
            out.push_back(s);
    return out;
}

void quitarvacios(const std::vector<std::string>& list, std::vector<std::string>& out) {
    auto kept = quitarvacios(list);
    if (!kept.empty())
        out = std::move(kept);
}

void quitarvacios(const std::vector<std::string_view>& list, std::vector<std::string_view>& out) {
    auto kept = quitarvacios(list);
    if (!kept.empty())
        out = std::move(kept);
}

bool palabraenlista(std::string_view word, std::string_view list) {
    for (std::string_view piece : splitText(list, " "))
        if (piece == word)
            return true;
    return false;
}

std::string simboloelemento(int z) {
    if (z < 1 || z > 103)
        return {};
    // The symbol of Z is the Z-th blank-separated piece of the list.
    std::size_t from = 0;
    for (int i = 1; i < z; ++i) from = kElementSymbols.find(' ', from) + 1;
    std::size_t to = kElementSymbols.find(' ', from);
    return std::string(kElementSymbols.substr(from, to == std::string_view::npos ? to : to - from));
}

TextRef tailOf(TextRef text) {
    if (text.size() > kTailBytes)
        return text.sub(text.size() - kTailBytes);
    return text;
}

std::string joinWrappedLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find("\r\n ", from);
        if (at == std::string_view::npos)
            break;
        out.append(text.substr(from, at - from));
        from = at + 3;
    }
    out.append(text.substr(from));
    return out;
}

namespace {

// The "@" that ends the archive entry begun at `from`: the first "@" whose
// previous character, wrapped line ends (CR LF and a blank) not counting, is
// "|".  The entry ends with "||@"; an "@" inside a field (a user name such as
// "name@host" in the header) does not end it.  When no "@" follows a
// "|", the first "@" at all; npos when there is none.
std::size_t archiveEnd(TextRef tail, std::size_t from) {
    std::string_view t = tail.text();
    std::size_t first = TextRef::npos;
    for (std::size_t at = tail.findExact(gaussian::anchor::kArchiveEnd, from); at != TextRef::npos;
         at = tail.findExact(gaussian::anchor::kArchiveEnd, at + 1)) {
        if (first == TextRef::npos)
            first = at;
        std::size_t k = at;
        while (k >= from + 3 && t.compare(k - 3, 3, "\r\n ") == 0) k -= 3;
        if (k > from && t[k - 1] == '|')
            return at;
    }
    return first;
}

}  // namespace

std::string entradaarchivo(TextRef normalisedText, bool join) {
    TextRef tail = tailOf(normalisedText);
    std::size_t from = tail.findExact(gaussian::anchor::kArchiveStart);
    if (from == TextRef::npos)
        return {};
    std::size_t to = archiveEnd(tail, from);
    if (to == TextRef::npos)
        return {};
    std::string_view entry = tail.text().substr(from, to - from);
    return join ? joinWrappedLines(entry) : std::string(entry);
}

std::string separatedCell(std::string_view cell, std::string_view separator) {
    const bool quote = cell.find_first_of("\"\r\n") != std::string_view::npos ||
                       (!separator.empty() && cell.find(separator) != std::string_view::npos);
    if (!quote)
        return std::string(cell);
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<ArchivePlace> archivePlaces(TextRef normalisedText) {
    std::vector<ArchivePlace> out;
    std::size_t from = normalisedText.findExact(gaussian::anchor::kArchiveStart);
    while (from != TextRef::npos) {
        const std::size_t to = archiveEnd(normalisedText, from);
        if (to == TextRef::npos)
            break;
        out.push_back({from, to});
        from = normalisedText.findExact(gaussian::anchor::kArchiveStart, to);
    }
    return out;
}

CpuTime readCpuTime(TextRef line) {
    CpuTime t;
    t.days = numeroentre(line, ":", "days", false);
    t.hours = numeroentre(line, "days", "hours", false);
    t.minutes = numeroentre(line, "hours", "minutes", false);
    t.seconds = numeroentre(line, "minutes", "seconds", false);
    return t;
}

std::string formatCpuTime(const CpuTime& time, char decimalSeparator) {
    auto f = [&](double v) { return formatNumber(v, decimalSeparator); };
    std::string hms = f(time.hours) + ":" + f(time.minutes) + ":" + f(time.seconds);
    return time.days != 0.0 ? f(time.days) + ":" + hms : hms;
}

std::string tiempocpu(TextRef line, char decimalSeparator) {
    return formatCpuTime(readCpuTime(line), decimalSeparator);
}

}  // namespace zerlant
