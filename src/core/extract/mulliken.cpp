#include "core/extract/mulliken.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The Mulliken block in the versions of the program; the first that gives a
// block wins.
constexpr std::array<gaussian::BlockAnchor, 4> kMullikenBlocks = {
    gaussian::anchor::kMullikenAtomicCharges,
    gaussian::anchor::kTotalAtomicCharges,
    gaussian::anchor::kMullikenCharges,
    gaussian::anchor::kMullikenSpinDensities,
};

// The last occurrence of each heading, found in one pass over the
// occurrences of "charges" from the end of the text backwards (a missing
// heading otherwise costs a whole pass over the text each).  The pass stops
// once the first heading is found: it wins whenever present.
std::array<std::size_t, 4> lastHeadings(TextRef fileText) {
    constexpr std::string_view common = "charges";
    std::array<std::size_t, 4> last;
    last.fill(TextRef::npos);
    std::array<std::string, 4> folded;
    std::array<std::size_t, 4> offset{};
    for (std::size_t m = 0; m < last.size(); ++m) {
        folded[m] = foldCase(kMullikenBlocks[m].start);
        offset[m] = folded[m].find(common);
    }
    const std::string_view text = fileText.folded();
    fileText.rfindIf(common, [&](std::size_t at) {
        for (std::size_t m = 0; m < last.size(); ++m)
            if (last[m] == TextRef::npos && at >= offset[m] &&
                text.substr(at - offset[m], folded[m].size()) == folded[m])
                last[m] = at - offset[m];
        return last[0] != TextRef::npos;
    });
    return last;
}

}  // namespace

bool cargasmulliken(TextRef fileText, MullikenCharges& lists) {
    const std::array<std::size_t, 4> last = lastHeadings(fileText);
    TextRef block;
    for (std::size_t m = 0; m < last.size() && block.empty(); ++m) {
        if (m > 0 && last[0] != TextRef::npos) {
            // The pass stopped early: look for the others the plain way.
            block = textoentre(fileText, kMullikenBlocks[m].start, kMullikenBlocks[m].end, true);
        } else if (last[m] != TextRef::npos) {
            block = textoentre(fileText.sub(last[m]), kMullikenBlocks[m].start,
                               kMullikenBlocks[m].end, false);
        }
    }
    if (block.empty())
        return false;

    // Line 0 is the rest of the heading line, line 1 the column numbers; atom
    // lines read "number symbol charge [spin density]".
    MullikenCharges found;
    std::vector<std::string_view> pieces;
    blocklines::forEachLine(block.text(), [&](std::size_t index, std::string_view line) {
        if (index < 2)
            return;
        blocklines::nonEmptyPieces(line, pieces);
        if (pieces.size() < 2)
            return;
        const std::size_t atom = index - 2;
        if (found.symbols.size() < atom + 1) {
            found.symbols.resize(atom + 1);
            found.charges.resize(atom + 1, 0.0);
        }
        found.symbols[atom] = std::string(pieces[1]);
        if (pieces.size() >= 3)
            found.charges[atom] = toDouble(pieces[2]).value_or(0.0);
    });
    lists = std::move(found);
    return true;
}

std::string formulamolecular(const std::vector<std::string>& symbols) {
    std::string formula;
    std::vector<std::string_view> seen;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const std::string& symbol = symbols[i];
        if (symbol.empty())
            continue;
        if (std::find(seen.begin(), seen.end(), symbol) != seen.end())
            continue;
        seen.push_back(symbol);
        auto count =
            std::count(symbols.begin() + static_cast<std::ptrdiff_t>(i), symbols.end(), symbol);
        formula += symbol;
        if (count > 1)
            formula += std::to_string(count);
    }
    return formula;
}

}  // namespace zerlant
