#include "core/plotdata/boltzmann.hpp"

namespace zerlant::plotdata {

std::vector<NamedSticks> boltzmannSpectra(const std::vector<NamedSticks>& files,
                                          const std::vector<Conformer>& conformers,
                                          const EnsembleSettings& settings, PopulationEnergy by) {
    std::vector<NamedSticks> spectra;
    for (const EnsembleGroup& group : buildEnsembles(conformers, settings)) {
        NamedSticks sum;
        sum.name = group.formula + ", Boltzmann (" + populationEnergyName(by) + ")";
        for (const EnsembleMember& m : group.members) {
            if (m.conformer >= files.size() || m.population <= 0)
                continue;
            for (const Stick& s : files[m.conformer].sticks)
                sum.sticks.push_back({s.position, s.strength * m.population});
        }
        spectra.push_back(std::move(sum));
    }
    return spectra;
}

}  // namespace zerlant::plotdata
