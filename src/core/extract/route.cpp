#include "core/extract/route.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The five word lists.  Their order decides ties: a later match wins.
constexpr std::string_view kJobKeywords =
    "opt freq td irc ircmax scan polar admp bomd force stable volume nmr density guess geom "
    "scrf maxdisk";
constexpr std::string_view kMethodsA =
    "uff dreiding amber zindo ci cis cid cisd sac-ci eom eom-ccsd td td-scf casscf cbs-4m cbs-q "
    "cbs-qb3 cbs-apno w1bd w1u w1ro g1 g2 g3 g3s g4";
constexpr std::string_view kMethodsB =
    "am1 pm3 pm3mm pm6 pddg indo cndo mndo hf casscf mp2 mp3 mp4 mp4(dq) mp4(sdq) mp4(sdtq) mp5 "
    "qcisd cc ccd ccsd qcid bd ept cbs dftb gvb lsda bpv86 b3lyp g96lyp cam-b3lyp b3pw91 "
    "mpw1pw91 pbepbe hseh1pbe hcth tpsstpss wb97xd";
constexpr std::string_view kMethodsC = "cis cc ccd ccsd qcid qcisd bd";
constexpr std::string_view kBasisMarkers =
    "GEN STO- 3- 6- 4- MC- D95 SHC CEP- LanL2 SDD CC-P AUG- SV SVP TZV TZVP QZVP MIDI EPR- UGBS "
    "MTSmall DGDZVP DGTZVP CBSB7";

// Prefixes of the restricted, unrestricted and restricted-open variants of
// the methods of list B.
constexpr std::array<std::string_view, 4> kPrefixesB = {"", "r", "u", "ro"};
constexpr std::array<std::string_view, 5> kSuffixesC = {"-t", "(t)", "-tq", "(tq)", "(d)"};

// Method (upper case) -> the archive key of its energy.
constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kEnergyKeys = {{
    {"CI", "CISD"},
    {"CC", "CCD"},
    {"QCID", "CCD"},
    {"CC-T", "CCD(T)"},
    {"QCID-T", "CCD(T)"},
    {"CCD-T", "CCD(T)"},
    {"CCSD-T", "CCSD(T)"},
    {"QCISD-T", "QCISD(T)"},
    {"QCISD-TQ", "QCISD(T)"},
    {"QCISD(TQ)", "QCISD(T)"},
    {"BD-T", "BD(T)"},
    {"BD-TQ", "BD(T)"},
    {"BD(TQ)", "BD(T)"},
    {"CIS", "MP2"},
    {"MP4", "MP4SDTQ"},
    {"MP4(DQ)", "MP4DQ"},
    {"MP4(SDQ)", "MP4SDQ"},
    {"MP4(SDTQ)", "MP4SDTQ"},
}};

// Blanks trimmed at both ends (only blanks: route words are blank-separated).
std::string_view trimSpaces(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

// The non-empty blank-separated words of a list.
std::vector<std::string_view> words(std::string_view list) {
    std::vector<std::string_view> out;
    for (std::string_view w : splitText(list, " "))
        if (!w.empty())
            out.push_back(w);
    return out;
}

// Case-blind: does `text` contain `part`?  `part` must already be folded.
bool containsFolded(std::string_view foldedText, std::string_view foldedPart) {
    return !foldedPart.empty() && foldedText.find(foldedPart) != std::string_view::npos;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace

std::string palabrasclave(std::string_view route) {
    const std::string folded = foldCase(route);
    std::string out;
    for (std::string_view keyword : words(kJobKeywords)) {
        if (containsFolded(folded, keyword)) {
            out += ' ';
            out += keyword;
        }
    }
    return std::string(trimSpaces(out));
}

std::vector<std::string> methodCandidates() {
    std::vector<std::string> out;
    out.reserve(217);
    for (std::string_view w : words(kMethodsA)) out.emplace_back(w);
    for (std::string_view w : words(kMethodsB))
        for (std::string_view prefix : kPrefixesB)
            out.push_back(std::string(prefix) + std::string(w));
    for (std::string_view w : words(kMethodsC))
        for (std::string_view suffix : kSuffixesC)
            out.push_back(std::string(w) + std::string(suffix));
    return out;
}

std::string nombremetodo(std::string_view route) {
    const std::string folded = foldCase(route);
    std::string found;
    for (const std::string& candidate : methodCandidates())
        if (containsFolded(folded, candidate))
            found = candidate;
    return std::string(trimSpaces(found));
}

std::string nombrebase(std::string_view text) {
    const std::vector<std::string_view> pieces = splitText(trimSpaces(text), " ");
    std::vector<std::string> foldedPieces;
    foldedPieces.reserve(pieces.size());
    for (std::string_view piece : pieces) foldedPieces.push_back(foldCase(piece));

    std::string_view found;
    for (std::string_view marker : words(kBasisMarkers)) {
        const std::string foldedMarker = foldCase(marker);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (containsFolded(foldedPieces[i], foldedMarker))
                found = pieces[i];
    }
    return std::string(trimSpaces(found));
}

std::string quitarpalabras(std::string_view text, std::string_view wordList) {
    const std::vector<std::string_view> pieces = splitText(trimSpaces(text), " ");
    std::vector<bool> removed(pieces.size(), false);
    for (std::string_view word : words(wordList)) {
        const std::string foldedWord = foldCase(word);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (!removed[i] && containsFolded(foldCase(pieces[i]), foldedWord))
                removed[i] = true;
    }
    std::string rebuilt;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (removed[i] || pieces[i].empty())
            continue;
        rebuilt += ' ';
        rebuilt += pieces[i];
    }
    std::erase(rebuilt, '#');
    return std::string(trimSpaces(rebuilt));
}

RouteAnalysis analizarruta(std::string_view route) {
    RouteAnalysis r;
    r.route = std::string(route);
    std::replace(r.route.begin(), r.route.end(), '/', ' ');
    r.keywords = palabrasclave(r.route);
    for (std::string_view keyword : words(r.keywords)) r.route = quitarpalabras(r.route, keyword);
    r.method = nombremetodo(r.route);
    r.route = quitarpalabras(r.route, r.method);
    r.basis = nombrebase(r.route);
    return r;
}

std::string methodEnergyKey(std::string_view method) {
    std::string name = foldCase(trimSpaces(method));
    // "rhf", "ump2", "roccsd": the archive stores the energy under the bare name.
    const std::vector<std::string_view> listB = words(kMethodsB);
    for (std::string_view prefix :
         {std::string_view("ro"), std::string_view("r"), std::string_view("u")}) {
        if (name.size() > prefix.size() && name.starts_with(prefix) &&
            std::find(listB.begin(), listB.end(), std::string_view(name).substr(prefix.size())) !=
                listB.end()) {
            name.erase(0, prefix.size());
            break;
        }
    }
    std::string key = upperCase(name);
    for (const auto& [from, to] : kEnergyKeys)
        if (key == from)
            return std::string(to);
    return key;
}

double energiametodo(TextRef archive, std::string_view method) {
    const std::string key = methodEnergyKey(method);
    double value = key.empty() ? 0.0 : numeroentre(archive, "|" + key + "=", "|", false);
    if (value == 0.0)
        value = numeroentre(archive, "|HF=", "|", false);
    return value;
}

double energiametodo(std::string_view archive, std::string_view method) {
    const FoldedText text{std::string(archive)};
    return energiametodo(text.ref(), method);
}

}  // namespace zerlant
