#include "core/plotdata/boltzmann.hpp"

#include <charconv>

namespace zerlant::plotdata {

std::vector<NamedSticks> boltzmannSpectra(const std::vector<NamedSticks>& files,
                                          const std::vector<Conformer>& conformers,
                                          const EnsembleSettings& settings, PopulationEnergy by) {
    std::vector<NamedSticks> spectra;
    for (const EnsembleGroup& group : buildEnsembles(conformers, settings)) {
        NamedSticks sum;
        sum.name = group.formula + ", Boltzmann (" + populationEnergyName(by) + ")";
        char separator = ':';
        for (const EnsembleMember& m : group.members) {
            if (m.conformer >= files.size() || m.population <= 0)
                continue;
            for (const Stick& s : files[m.conformer].sticks)
                sum.sticks.push_back({s.position, s.strength * m.population});
            // Each conformer's share in the legend and the CSV heading (those
            // that would read 0.0% are left out of the name).
            if (m.population < 0.0005)
                continue;
            char share[32];
            const auto end = std::to_chars(share, share + sizeof share, 100.0 * m.population,
                                           std::chars_format::fixed, 1)
                                 .ptr;
            sum.name += separator;
            sum.name += " " + files[m.conformer].name + " " + std::string(share, end) + "%";
            separator = ',';
        }
        spectra.push_back(std::move(sum));
    }
    return spectra;
}

}  // namespace zerlant::plotdata
