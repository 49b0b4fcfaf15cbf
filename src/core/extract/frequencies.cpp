#include "core/extract/frequencies.hpp"

#include "core/gaussian/anchors.hpp"
#include "core/gaussian/normalmodes.hpp"

namespace zerlant {

namespace {
constexpr std::string_view kHeading = gaussian::anchor::kNormalModes.start;
}

std::optional<NormalModes> lastNormalModes(TextRef fileText) {
    const std::size_t heading = fileText.rfind(kHeading);
    if (heading == TextRef::npos)
        return std::nullopt;
    NormalModes modes = readNormalModes(fileText.text().substr(heading + kHeading.size()));
    if (heading > 0)
        if (const std::size_t before = fileText.rfind(kHeading, heading - 1);
            before != TextRef::npos)
            takePreciseDisplacements(modes,
                                     fileText.text().substr(before + kHeading.size(),
                                                            heading - before - kHeading.size()));
    return modes;
}

FrequencyTable frequencyTable(const std::optional<NormalModes>& modes) {
    FrequencyTable table;
    if (modes)
        for (const NormalMode& m : modes->modes) table.push_back(m.properties);
    if (table.empty())
        table.assign(1, kModeNotPrinted);
    return table;
}

FrequencyTable frecuencias(TextRef fileText) {
    return frequencyTable(lastNormalModes(fileText));
}

}  // namespace zerlant
