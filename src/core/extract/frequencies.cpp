#include "core/extract/frequencies.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The property lines of a normal-mode group, by their label, in the order of
// the table's fields.
constexpr std::array<std::string_view, 7> kPropertyLabels = {
    "Frequencies", "Red. masses", "Frc consts", "IR Inten",
    "Raman Activ", "Depolar (P)", "Depolar (U)"};

bool allIntegers(const std::vector<std::string_view>& pieces) {
    if (pieces.empty())
        return false;
    for (std::string_view p : pieces)
        for (char c : p)
            if (c < '0' || c > '9')
                return false;
    return true;
}

}  // namespace

// Every group of the last harmonic-frequency printout, in Gaussian's order:
//   " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering
//     activities (A**4/AMU), depolarization ratios for plane and unpolarized
//     incident light, reduced masses (AMU), force constants (mDyne/A),
//     and normal coordinates:"
//   "                      1                      2                      3"
//   "                     BU                     AU                     AU"
//   " Frequencies --     52.7882                83.9373               148.1576"
//   " Red. masses --      3.2050                 2.4755                 2.0858"
//   " Frc consts  --      0.0053                 0.0103                 0.0270"
//   " IR Inten    --      0.0323                 0.0000                 0.3826"
//   "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z"
//   "     1   6     0.00   0.00   0.05     0.00   0.00   0.08    -0.00   0.00  -0.02"
//   ...
//   "                      4                      5                      6"
// The printout ends at the first empty line after it.  A line of mode numbers
// opens a group; its property lines ("label --" and one value per mode) fill
// the group's modes, matched by label; the displacement rows are not read.
FrequencyTable frecuencias(TextRef fileText) {
    FrequencyTable table(1, kModeNotPrinted);
    const std::size_t heading = fileText.rfind("and normal coordinates:");
    if (heading == TextRef::npos)
        return table;
    const std::string_view rest = fileText.text().substr(heading);
    FrequencyTable modes;
    std::size_t groupStart = 0;  // index of the group's first mode in `modes`
    std::size_t groupSize = 0;
    std::vector<std::string_view> pieces;
    std::size_t from = rest.find('\n');
    while (from != std::string_view::npos && from + 1 < rest.size()) {
        std::size_t to = rest.find('\n', from + 1);
        std::string_view line = rest.substr(
            from + 1, to == std::string_view::npos ? std::string_view::npos : to - from - 1);
        from = to;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (trimBlanks(line).empty())
            break;
        blocklines::nonEmptyPieces(line, pieces);
        if (allIntegers(pieces)) {
            groupStart = modes.size();
            groupSize = pieces.size();
            modes.resize(groupStart + groupSize, kModeNotPrinted);
            continue;
        }
        const std::size_t dashes = line.find("--");
        if (dashes == std::string_view::npos || groupSize == 0)
            continue;
        const std::string_view label = trimBlanks(line.substr(0, dashes));
        // Gaussian 98 prints one depolarisation line, "Depolar     --".
        const std::string_view name = label == "Depolar" ? "Depolar (P)" : label;
        const auto field = std::find(kPropertyLabels.begin(), kPropertyLabels.end(), name);
        if (field == kPropertyLabels.end())
            continue;
        blocklines::nonEmptyPieces(line.substr(dashes + 2), pieces);
        std::size_t mode = 0;
        for (std::string_view p : pieces) {
            if (mode >= groupSize)
                break;
            if (!isNumeric(p))
                continue;
            modes[groupStart + mode++][static_cast<std::size_t>(field - kPropertyLabels.begin())] =
                toDouble(p).value_or(0.0);
        }
    }
    if (!modes.empty())
        table = std::move(modes);
    return table;
}

}  // namespace zerlant
