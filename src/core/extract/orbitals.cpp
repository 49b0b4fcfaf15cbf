#include "core/extract/orbitals.hpp"

#include <string_view>
#include <vector>

#include "core/extract/blocklines.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The symmetry labels of a symmetry block, in the order printed: every word
// holding "(" and ")", without them and without line breaks.  The first word
// ("Occupied" or "Alpha") is never a label.
std::vector<std::string> symmetryLabels(std::string_view block) {
    std::vector<std::string> labels;
    bool first = true;
    for (std::string_view word : splitText(block, " ")) {
        if (first) {
            first = false;
            continue;
        }
        if (word.find('(') == std::string_view::npos || word.find(')') == std::string_view::npos)
            continue;
        std::string label;
        label.reserve(word.size());
        for (char c : word)
            if (c != '(' && c != ')' && c != '\r' && c != '\n')
                label += c;
        labels.push_back(std::move(label));
    }
    return labels;
}

// The values of a word such as "-432.65565-56.37480": the eigenvalues are
// printed with five decimals in fields of ten characters, and a value below
// -100 or above 1000 fills its field (one too large for it fills it with "*"),
// so that no blank separates it from its neighbours.  The word is read as a
// run of such values; an overflowed field is passed over.  Empty when the word
// is not made of them.
std::vector<std::string_view> gluedValues(std::string_view word) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<std::string_view> values;
    std::size_t i = 0;
    while (i < word.size()) {
        const std::size_t start = i;
        if (word[i] == '*') {
            while (i < word.size() && word[i] == '*') ++i;
            continue;
        }
        if (word[i] == '-')
            ++i;
        const std::size_t integer = i;
        while (i < word.size() && digit(word[i])) ++i;
        if (i == integer || i >= word.size() || word[i] != '.')
            return {};
        ++i;
        for (int d = 0; d < 5; ++d, ++i)
            if (i >= word.size() || !digit(word[i]))
                return {};
        values.push_back(word.substr(start, i - start));
    }
    return values.size() > 1 || word.find('*') != std::string_view::npos
               ? values
               : std::vector<std::string_view>{};
}

// The last population analysis up to "Condensed to atoms".  Its heading reads
// "Population analysis using the ... density"; the "Full Mulliken population
// analysis:" matrix and the "Summary of Natural Population Analysis:" are not
// headings of one and are passed over.
TextRef lastPopulationAnalysis(TextRef fileText) {
    constexpr gaussian::BlockAnchor kAnalysis = gaussian::anchor::kPopulationAnalysis;
    std::size_t at = fileText.rfind(kAnalysis.start);
    if (at == TextRef::npos)
        return {};
    return textoentre(fileText.sub(at), kAnalysis.start, kAnalysis.end, false);
}

}  // namespace

OrbitalEnergies energiasorbitales(TextRef fileText) {
    OrbitalEnergies out;

    using gaussian::anchor::kElectronicState;
    using gaussian::anchor::kOrbitalSymmetries;
    using gaussian::anchor::kPopulationAnalysis;
    std::string_view symmetryBlock = trimBlanks(
        textoentre(fileText, kOrbitalSymmetries.start, kOrbitalSymmetries.end, true).text());
    // A symmetry block before the last population analysis belongs to an
    // earlier one (a trajectory or a later step run without symmetry): its
    // eigenvalues are not the last ones, so the last analysis is read instead.
    if (!symmetryBlock.empty()) {
        const std::size_t analysis = fileText.rfind(kPopulationAnalysis.start);
        if (analysis != TextRef::npos && fileText.rfind(kOrbitalSymmetries.start) < analysis)
            symmetryBlock = {};
    }
    TextRef eigenBlock;
    if (symmetryBlock.empty()) {
        eigenBlock = lastPopulationAnalysis(fileText);
    } else {
        out.symmetries = symmetryLabels(symmetryBlock);
        eigenBlock = textoentre(fileText, kElectronicState.start, kElectronicState.end, true);
    }

    // Only the eigenvalue summary lines ("Alpha  occ. eigenvalues -- ...") are
    // read.  With a full population printout the block also holds the orbital
    // coefficients, density matrix and gross populations; their numbers are
    // not eigenvalues and would spoil the list and the LUMO.
    OrbitalKind kind;
    bool occupiedSeen = false;
    bool virtualSeen = false;
    std::vector<std::string_view> words;
    blocklines::forEachLine(eigenBlock.text(), [&](std::size_t, std::string_view line) {
        blocklines::nonEmptyPieces(line, words);
        bool eigenvalueLine = false;
        for (std::string_view w : words)
            if (w == "occ." || w == "virt.")
                eigenvalueLine = true;
        if (!eigenvalueLine)
            return;
        auto add = [&](double value) {
            out.energies.push_back(value);
            out.kinds.push_back(kind);
            if (kind.occupancy == OrbitalOccupancy::Occupied) {
                if (!occupiedSeen || value > out.homo)
                    out.homo = value;
                occupiedSeen = true;
                out.homoFound = true;
            } else if (kind.occupancy == OrbitalOccupancy::Virtual) {
                if (!virtualSeen || value < out.lumo)
                    out.lumo = value;
                virtualSeen = true;
                out.lumoFound = true;
            }
        };
        for (std::string_view w : words) {
            if (isNumeric(w)) {
                add(leadingNumber(w));
                continue;
            }
            if (std::vector<std::string_view> values = gluedValues(w); !values.empty()) {
                for (std::string_view value : values) add(leadingNumber(value));
                continue;
            }
            if (w == "Alpha")
                kind.spin = OrbitalSpin::Alpha;
            else if (w == "Beta")
                kind.spin = OrbitalSpin::Beta;
            else if (w == "occ.")
                kind.occupancy = OrbitalOccupancy::Occupied;
            else if (w == "virt.")
                kind.occupancy = OrbitalOccupancy::Virtual;
        }
    });

    out.symmetries.resize(out.energies.size());
    return out;
}

}  // namespace zerlant
