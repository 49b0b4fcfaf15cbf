#include "core/plotdata/sources.hpp"

#include <cmath>

#include "core/extract/digest.hpp"
#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/files/filetext.hpp"

namespace zerlant::plotdata {

std::vector<Stick> sticksFromModes(const std::vector<std::array<double, 7>>& modes, Kind kind) {
    std::vector<Stick> out;
    if (!isVibrational(kind))
        return out;
    const std::size_t column = kind == Kind::Ir ? 3 : 4;
    for (const auto& mode : modes)
        if (std::isfinite(mode[0]) && mode[0] != 0.0 && std::isfinite(mode[column]))
            out.push_back({mode[0], mode[column]});
    return out;
}

std::vector<Stick> sticksFromStates(const std::vector<std::array<double, 5>>& states, Kind kind) {
    std::vector<Stick> out;
    if (isVibrational(kind))
        return out;
    const std::size_t column = kind == Kind::Uv ? 3 : 4;
    for (const auto& state : states)
        if (std::isfinite(state[1]) && state[1] > 0.0 && std::isfinite(state[column]))
            out.push_back({state[1], state[column]});
    return out;
}

std::vector<Stick> sticksFromDetail(const FileDetail& detail, Kind kind) {
    return isVibrational(kind) ? sticksFromModes(detail.frequencies, kind)
                               : sticksFromStates(detail.states, kind);
}

bool allStrengthsZero(const std::vector<Stick>& sticks) {
    if (sticks.empty())
        return false;
    for (const auto& s : sticks)
        if (s.strength != 0.0)
            return false;
    return true;
}

Spectra spectraFromRecords(const std::vector<ExtractRecord>& records, Kind kind) {
    Spectra out;
    for (const ExtractRecord& r : records) {
        if (!r.ok)
            continue;
        auto sticks = sticksFromDetail(r.detail, kind);
        if (allStrengthsZero(sticks))
            ++out.allZero;
        else if (!sticks.empty())
            out.files.push_back({r.file, std::move(sticks)});
    }
    return out;
}

std::vector<Stick> sticksFromText(TextRef text, Kind kind) {
    if (isVibrational(kind))
        return sticksFromModes(frecuencias(text), kind);
    return sticksFromStates(estadosexcitados(text).states, kind);
}

Result<std::vector<Stick>> sticksFromFile(const std::string& path, Kind kind) {
    // The digest holds the last normal modes and excited states.
    auto text = readParsedText(path);
    if (!text)
        return text.error();
    return sticksFromText(text->ref(), kind);
}

}  // namespace zerlant::plotdata
