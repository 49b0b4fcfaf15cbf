#include "core/extract/route.hpp"

#include <array>
#include <utility>

#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The job keywords, in the order the keyword text lists them.
constexpr std::string_view kJobKeywords =
    "opt freq td irc ircmax scan polar admp bomd force stable volume nmr density guess geom "
    "scrf maxdisk";

// Method (upper case) -> the archive key of its energy.
constexpr std::array<std::pair<std::string_view, std::string_view>, 33> kEnergyKeys = {{
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
    // Double hybrids: the archive stores E(B2PLYP) and its kin under MP2.
    {"B2PLYP", "MP2"},
    {"B2PLYPD", "MP2"},
    {"B2PLYPD3", "MP2"},
    {"MPW2PLYP", "MP2"},
    {"MPW2PLYPD", "MP2"},
    {"DSDPBEP86", "MP2"},
    {"PBE0DH", "MP2"},
    {"PBEQIDH", "MP2"},
    // Composite methods store their final energy under their own short name.
    {"CBS-QB3", "CBSQB3"},
    {"CBS-4M", "CBS4"},
    {"CBS-4", "CBS4"},
    {"CBS-Q", "CBSQ"},
    {"CBS-APNO", "CBSAPNO"},
    {"EOM-CCSD", "CCSD"},
    {"EOMCCSD", "CCSD"},
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

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Methods named by one route word (lower case, without options).  Words of
// the restricted/unrestricted families may carry an "r", "u" or "ro" prefix.
constexpr std::string_view kRouteMethods =
    // molecular mechanics and semi-empirical
    "uff dreiding amber am1 pm3 pm3mm pm6 pm7 pddg indo cndo mndo zindo dftb dftba "
    // wave-function methods
    "hf casscf rasscf gvb mp2 mp3 mp4 mp5 qcisd qcisd(t) qcisd(tq) qcid cc ccd ccsd ccsd(t) "
    "ccsd-t cc-t ccd-t qcisd-t qcisd-tq qcid-t bd bd-t bd-tq bd(t) bd(tq) ept ci cis cid cisd "
    "sac-ci eom eom-ccsd eomccsd td-scf "
    // density functionals
    "lsda svwn svwn5 blyp bp86 bpv86 bpw91 b3lyp b3p86 b3pw91 b1lyp b1b95 b97d b97d3 b971 b972 "
    "b98 x3lyp o3lyp g96lyp mpw1pw91 mpw1lyp mpwpw91 mpw3lyp pw91pw91 pbepbe pbe1pbe pbeh1pbe "
    "revpbe hseh1pbe hse1pbe hse2pbe hsesol1pbe hcth hcth93 hcth147 hcth407 thcth thcthhyb "
    "tpsstpss tpssh revtpsstpss vsxc bmk m05 m052x m06 m062x m06hf m06l m08hx m11 m11l mn12l "
    "mn12sx mn15 mn15l n12 n12sx sogga11 sogga11x pw6b95 pw6b95d3 cam-b3lyp lc-wpbe lc-whpbe "
    "lc-blyp wb97 wb97x wb97xd apfd apf b2plyp b2plypd b2plypd3 mpw2plyp mpw2plypd dsdpbep86 "
    "pbe0dh pbeqidh "
    // composite methods
    "g1 g2 g2mp2 g3 g3s g3mp2 g3b3 g3mp2b3 g4 g4mp2 cbs-4 cbs-4m cbs-q cbs-qb3 cbs-apno w1bd "
    "w1u w1ro";

// Methods whose options in parentheses name a triples (or quadruples) part:
// "CCSD(T,T1Diag)" is CCSD(T).
constexpr std::string_view kTriplesMethods = "ccd ccsd qcisd bd cc qcid";

// How a route word starts when it names a basis set ("6-31G(d)", "aug-cc-pVTZ",
// "def2TZVP", "LanL2DZ", ...), and the words that name one whole.
constexpr std::string_view kBasisPrefixes =
    "sto- 3-21 4-21 4-31 6-21 6-31 6-311 mc- d95 shc cep- lanl cc-p aug-cc- jun-cc- jul-cc- "
    "may-cc- apr-cc- spaug-cc- def2 def- sdd midi epr- ugbs mtsmall dgdzvp dgtzvp cbsb "
    "pc- aug-pc ma-def2 tzvp qzvp";
constexpr std::string_view kBasisWords = "gen genecp sv svp tzv";

// The words of a route: split at blanks and "/", where a blank or "/" inside
// parentheses belongs to its word ("scrf=(solvent=water, pcm)",
// "oniom(b3lyp/6-31g(d):pm6)").  A leading "#" goes, and so do the print
// levels "#", "#P", "#N" and "#T".
std::vector<std::string> routeWords(std::string_view route) {
    std::vector<std::string> out;
    std::string word;
    int depth = 0;
    auto flush = [&] {
        std::string_view w = word;
        while (!w.empty() && w.front() == '#') w.remove_prefix(1);
        const std::string folded = foldCase(w);
        if (!w.empty() &&
            !(word.front() == '#' && (folded == "p" || folded == "n" || folded == "t")))
            out.emplace_back(w);
        word.clear();
    };
    for (char c : route) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        if (depth == 0 && (c == ' ' || c == '/' || c == '\t')) {
            flush();
            continue;
        }
        word += c;
    }
    flush();
    return out;
}

// The name of a route word, lower case: up to its options ("=" or "(").
std::string wordName(std::string_view word) {
    const std::size_t cut = word.find_first_of("=(");
    return foldCase(word.substr(0, cut));
}

// The options of a route word, lower case, without the name and the outer
// "=", "(" and ")": "opt=(calcfc,ts)" gives "calcfc,ts".
std::string wordOptions(std::string_view word) {
    const std::size_t cut = word.find_first_of("=(");
    if (cut == std::string_view::npos)
        return {};
    std::string_view o = word.substr(cut);
    if (!o.empty() && o.front() == '=')
        o.remove_prefix(1);
    if (!o.empty() && o.front() == '(')
        o.remove_prefix(1);
    if (!o.empty() && o.back() == ')')
        o.remove_suffix(1);
    return foldCase(o);
}

bool inList(std::string_view list, std::string_view word) {
    for (std::string_view w : words(list))
        if (w == word)
            return true;
    return false;
}

// The length of the restricted, unrestricted or restricted-open prefix of a
// method name ("u" of "ub3lyp", "ro" of "rohf"): 0 when the name is listed as
// it stands or carries no such prefix before a listed method.
std::size_t spinPrefix(std::string_view name) {
    if (inList(kRouteMethods, name))
        return 0;
    for (std::string_view prefix : {"ro", "r", "u"})
        if (name.size() > prefix.size() && name.starts_with(prefix) &&
            inList(kRouteMethods, name.substr(prefix.size())))
            return prefix.size();
    return 0;
}

// The method a route word names, spelled as the route spells it in lower
// case ("ub3lyp", "ccsd(t)", "mp4(sdq)"), or "".
std::string routeMethod(std::string_view word) {
    const std::string name = wordName(word);
    const std::string_view bare = std::string_view(name).substr(spinPrefix(name));
    if (!inList(kRouteMethods, bare))
        return {};
    // "MP4(SDQ)", "CCSD(T,T1Diag)", "QCISD(TQ)": the options that are part of
    // the method's name.
    if (word.find('(') != std::string_view::npos && word.find('=') > word.find('(')) {
        const std::string options = wordOptions(word);
        for (std::string_view option : splitText(options, ",")) {
            option = trimSpaces(option);
            const bool mp4 =
                bare == "mp4" && (option == "dq" || option == "sdq" || option == "sdtq");
            const bool triples = inList(kTriplesMethods, bare) && (option == "t" || option == "tq");
            if (mp4 || triples)
                return name + "(" + std::string(option) + ")";
        }
    }
    return name;
}

bool isBasisWord(std::string_view word) {
    const std::string name = foldCase(word);
    if (inList(kBasisWords, wordName(word)))
        return true;
    for (std::string_view prefix : words(kBasisPrefixes))
        if (name.starts_with(prefix))
            return true;
    return false;
}

}  // namespace

RouteAnalysis analizarruta(std::string_view route) {
    RouteAnalysis r;
    std::vector<bool> used;
    const std::vector<std::string> list = routeWords(route);
    used.assign(list.size(), false);
    // Job keywords, whole words only ("opt=(calcfc)" is opt; "optcyc" is not).
    for (std::string_view keyword : words(kJobKeywords)) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (wordName(list[i]) != keyword)
                continue;
            r.keywords.emplace_back(std::string(keyword), wordOptions(list[i]));
            used[i] = true;
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (used[i])
            continue;
        if (wordName(list[i]) == "oniom") {
            r.oniom = true;
            used[i] = true;
            continue;
        }
        if (std::string m = routeMethod(list[i]); !m.empty()) {
            r.method = std::move(m);
            used[i] = true;
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!used[i] && isBasisWord(list[i])) {
            r.basis = list[i];
            used[i] = true;
        }
    }
    return r;
}

std::string methodEnergyKey(std::string_view method) {
    std::string name = foldCase(trimSpaces(method));
    // "rhf", "ump2", "uccsd(t)": the archive stores the energy under the bare
    // name.  The prefix is judged on the listed part ("ccsd" of "ccsd(t)").
    name.erase(
        0, spinPrefix(name.substr(0, inList(kRouteMethods, name) ? name.size() : name.find('('))));
    std::string key = upperCase(name);
    for (const auto& [from, to] : kEnergyKeys)
        if (key == from)
            return std::string(to);
    return key;
}

}  // namespace zerlant
