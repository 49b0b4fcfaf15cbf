#pragma once
// Energies of several molecules relative to one another, and Boltzmann
// populations.  Only molecules of the same formula are compared: each formula
// is a group with its own reference and populations summing to 1.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zerlant::thermo {

enum class EnergyUnit { KcalPerMol, KJPerMol, ElectronVolt };

double fromHartree(double hartree, EnergyUnit unit);
const char* unitName(EnergyUnit unit);  // "kcal/mol", "kJ/mol", "eV"

// energies[i] in hartree of a molecule of formula groups[i].  The result is in
// `unit`, relative to the lowest energy of the group or, when `reference` is
// given, to that molecule within its own group (other groups keep their
// lowest).  nullopt where the energy is not finite.
std::vector<std::optional<double>> relativeEnergies(const std::vector<double>& energies,
                                                    const std::vector<std::string>& groups,
                                                    std::optional<std::size_t> reference,
                                                    EnergyUnit unit);

// Boltzmann populations exp(-dE/kT) normalised within each group; nullopt
// where the energy is not finite.
std::vector<std::optional<double>> boltzmannPopulations(const std::vector<double>& energies,
                                                        const std::vector<std::string>& groups,
                                                        double temperature);

}  // namespace zerlant::thermo
