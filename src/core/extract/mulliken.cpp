#include "core/extract/mulliken.hpp"

#include <algorithm>
#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// Headings of the Mulliken block in the versions of the program; the first
// that gives a block wins.
constexpr std::string_view kMullikenHeadings[] = {
    "Mulliken atomic charges:",
    "Total atomic charges:",
    "Mulliken charges:",
    "Mulliken charges and spin densities:",
};

}  // namespace

bool cargasmulliken(TextRef fileText, MullikenCharges& lists) {
    TextRef block;
    for (std::string_view heading : kMullikenHeadings) {
        block = textoentre(fileText, heading, "Sum of Mulliken", true);
        if (!block.empty())
            break;
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
