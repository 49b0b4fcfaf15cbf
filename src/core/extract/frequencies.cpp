#include "core/extract/frequencies.hpp"

#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

FrequencyTable frecuencias(TextRef fileText) {
    FrequencyTable table(1, FrequencyMode{});
    // From the end of the last harmonic-frequency heading to the heading of
    // the first displacement table.  Line 0 is the rest of the heading line,
    // line 1 the mode numbers, line 2 the mode symmetries, then one property
    // line per row: a label, "--" and one value per mode.
    TextRef block = textoentre(fileText, "and normal coordinates:", "Atom", true);
    if (block.empty())
        return table;

    std::size_t modes = 0;
    std::vector<std::string_view> pieces;
    blocklines::forEachLine(block.text(), [&](std::size_t index, std::string_view line) {
        if (index == 1) {
            blocklines::nonEmptyPieces(line, pieces);
            for (std::string_view p : pieces)
                if (isNumeric(p))
                    ++modes;
            if (modes > 0)
                table.assign(modes, FrequencyMode{});
            return;
        }
        if (index < 3 || modes == 0)
            return;
        const std::size_t field = index - 3;
        if (field >= FrequencyMode{}.size())
            return;
        blocklines::nonEmptyPieces(line, pieces);
        std::size_t mode = 0;
        for (std::string_view p : pieces) {
            if (p == "--" || !isNumeric(p))
                continue;
            if (mode >= modes)
                break;
            table[mode++][field] = toDouble(p).value_or(0.0);
        }
    });
    return table;
}

}  // namespace zerlant
