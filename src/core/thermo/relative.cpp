#include "core/thermo/relative.hpp"

#include <cmath>
#include <map>

#include "core/thermo/constants.hpp"

namespace zerlant::thermo {

double fromHartree(double hartree, EnergyUnit unit) {
    switch (unit) {
        case EnergyUnit::KJPerMol:
            return hartree * kKJPerMolPerHartree;
        case EnergyUnit::ElectronVolt:
            return hartree * kEVPerHartree;
        case EnergyUnit::KcalPerMol:
            break;
    }
    return hartree * kKcalPerMolPerHartree;
}

const char* unitName(EnergyUnit unit) {
    switch (unit) {
        case EnergyUnit::KJPerMol:
            return "kJ/mol";
        case EnergyUnit::ElectronVolt:
            return "eV";
        case EnergyUnit::KcalPerMol:
            break;
    }
    return "kcal/mol";
}

namespace {

// The lowest finite energy of each group.
std::map<std::string, double> lowestOfGroups(const std::vector<double>& energies,
                                             const std::vector<std::string>& groups) {
    std::map<std::string, double> lowest;
    for (std::size_t i = 0; i < energies.size() && i < groups.size(); ++i) {
        if (!std::isfinite(energies[i]))
            continue;
        auto [it, inserted] = lowest.emplace(groups[i], energies[i]);
        if (!inserted && energies[i] < it->second)
            it->second = energies[i];
    }
    return lowest;
}

}  // namespace

std::vector<std::optional<double>> relativeEnergies(const std::vector<double>& energies,
                                                    const std::vector<std::string>& groups,
                                                    std::optional<std::size_t> reference,
                                                    EnergyUnit unit) {
    std::map<std::string, double> base = lowestOfGroups(energies, groups);
    if (reference && *reference < energies.size() && *reference < groups.size() &&
        std::isfinite(energies[*reference]))
        base[groups[*reference]] = energies[*reference];
    std::vector<std::optional<double>> out(energies.size());
    for (std::size_t i = 0; i < energies.size() && i < groups.size(); ++i)
        if (std::isfinite(energies[i]))
            out[i] = fromHartree(energies[i] - base.at(groups[i]), unit);
    return out;
}

std::vector<std::optional<double>> boltzmannPopulations(const std::vector<double>& energies,
                                                        const std::vector<std::string>& groups,
                                                        double temperature) {
    const std::map<std::string, double> lowest = lowestOfGroups(energies, groups);
    const double kT = kBoltzmann * temperature / kHartreeJoule;  // hartree
    std::vector<std::optional<double>> out(energies.size());
    std::map<std::string, double> sums;
    for (std::size_t i = 0; i < energies.size() && i < groups.size(); ++i) {
        if (!std::isfinite(energies[i]))
            continue;
        // Relative to the group's lowest, so that the exponent never overflows.
        const double w = std::exp(-(energies[i] - lowest.at(groups[i])) / kT);
        out[i] = w;
        sums[groups[i]] += w;
    }
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i])
            *out[i] /= sums[groups[i]];
    return out;
}

}  // namespace zerlant::thermo
