#include "core/plotdata/sources.hpp"

#include <cmath>

#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/files/filetext.hpp"

namespace zerlant::plotdata {

std::vector<Stick> withoutAllZero(std::vector<Stick> sticks) {
    for (const auto& s : sticks)
        if (s.strength != 0.0)
            return sticks;
    return {};
}

std::vector<Stick> sticksFromText(TextRef text, Kind kind) {
    std::vector<Stick> out;
    if (isVibrational(kind)) {
        // Columns of a mode: frequency, reduced mass, force constant, IR
        // intensity, Raman activity, ...
        const std::size_t column = kind == Kind::Ir ? 3 : 4;
        for (const auto& mode : frecuencias(text))
            if (std::isfinite(mode[0]) && mode[0] != 0.0 && std::isfinite(mode[column]))
                out.push_back({mode[0], mode[column]});
        return withoutAllZero(std::move(out));
    }
    // Columns of a state: number, energy (eV), wavelength, f, R.
    const std::size_t column = kind == Kind::Uv ? 3 : 4;
    for (const auto& state : estadosexcitados(text).states)
        if (state[1] > 0.0 && std::isfinite(state[1]) && std::isfinite(state[column]))
            out.push_back({state[1], state[column]});
    return withoutAllZero(std::move(out));
}

Result<std::vector<Stick>> sticksFromFile(const std::string& path, Kind kind) {
    auto text = readNormalised(path);
    if (!text)
        return text.error();
    return sticksFromText(text->ref(), kind);
}

}  // namespace zerlant::plotdata
