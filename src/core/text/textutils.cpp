#include "core/text/textutils.hpp"

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
    if (text.empty() || start.empty()) return {};
    std::size_t at = fromEnd ? text.rfind(start) : text.find(start);
    if (at == TextRef::npos) return {};
    std::size_t p = at + start.size();
    if (end.empty()) return text.sub(p);
    std::size_t q = text.find(end, p + 1);
    if (q == TextRef::npos) return {};
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
    if (text.empty() || word.empty()) return false;
    return text.contains(word);
}

bool contienetexto(std::string_view text, std::string_view word) {
    if (text.empty() || word.empty()) return false;
    return foldCase(text).find(foldCase(word)) != std::string::npos;
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
        if (field.empty()) continue;
        if (isNumeric(field.substr(0, field.size() - 1))) return leadingNumber(field);
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
        if (!s.empty()) out.push_back(s);
    return out;
}

bool palabraenlista(std::string_view word, std::string_view list) {
    for (std::string_view piece : splitText(list, " "))
        if (piece == word) return true;
    return false;
}

std::string simboloelemento(int z) {
    if (z < 1 || z > 103) return {};
    auto symbols = splitText(kElementSymbols, " ");
    return std::string(symbols[static_cast<std::size_t>(z - 1)]);
}

TextRef tailOf(TextRef text) {
    if (text.size() > kTailBytes) return text.sub(text.size() - kTailBytes);
    return text;
}

std::string entradaarchivo(TextRef normalisedText, bool join) {
    TextRef tail = tailOf(normalisedText);
    std::size_t from = tail.findExact("1|1|");
    if (from == TextRef::npos) return {};
    std::size_t to = tail.findExact("@", from);
    std::string_view entry =
        tail.text().substr(from, to == TextRef::npos ? TextRef::npos : to - from);
    if (!join) return std::string(entry);
    std::string out;
    out.reserve(entry.size());
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (entry[i] == '\r' && i + 2 < entry.size() && entry[i + 1] == '\n' && entry[i + 2] == ' ') {
            i += 2;
            continue;
        }
        out += entry[i];
    }
    return out;
}

std::string tiempocpu(TextRef line, char decimalSeparator) {
    double days = numeroentre(line, ":", "days", false);
    double hours = numeroentre(line, "days", "hours", false);
    double minutes = numeroentre(line, "hours", "minutes", false);
    double seconds = numeroentre(line, "minutes", "seconds", false);
    auto f = [&](double v) { return formatNumber(v, decimalSeparator); };
    std::string hms = f(hours) + ":" + f(minutes) + ":" + f(seconds);
    return days != 0.0 ? f(days) + ":" + hms : hms;
}

}  // namespace zerlant
