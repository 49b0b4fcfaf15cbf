#include "core/extract/thermochemistry.hpp"

#include <limits>

#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

ThermoTable termoquimica(TextRef fileText) {
    const double none = std::numeric_limits<double>::quiet_NaN();  // nothing printed
    ThermoTable table(1, ThermoLine{none, none, none});
    // The unit line of the table holds "Cal/Mol-Kelvin" twice; its last
    // occurrence ends that line.  The block runs to the partition-function
    // heading: line 0 is the empty rest of the unit line, the table lines
    // follow, and the last line is the start of the "Q  Log10(Q)" heading.
    constexpr gaussian::BlockAnchor kTable = gaussian::anchor::kThermochemistry;
    TextRef block = textoentre(fileText, kTable.start, kTable.end, true);
    if (block.empty())
        return table;

    std::vector<std::string_view> lines;
    blocklines::forEachLine(block.text(),
                            [&](std::size_t, std::string_view line) { lines.push_back(line); });
    if (lines.size() < 3)
        return table;
    const std::size_t count = lines.size() - 2;
    table.assign(count, ThermoLine{});

    std::vector<std::string_view> pieces;
    for (std::size_t i = 0; i < count; ++i) {
        blocklines::nonEmptyPieces(lines[i + 1], pieces);
        // "Total  E Cv S"; from the sixth line on "Vibration N  E Cv S".
        const std::size_t label = i < 5 ? 1 : 2;
        for (std::size_t k = 0; k < 3 && label + k < pieces.size(); ++k)
            table[i][k] = toDouble(pieces[label + k]).value_or(0.0);
    }
    return table;
}

}  // namespace zerlant
