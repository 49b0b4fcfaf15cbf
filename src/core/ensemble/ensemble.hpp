#pragma once
// Conformer ensembles: geometries compared after the best superposition,
// duplicates dropped, and Boltzmann populations.

#include <optional>
#include <string>
#include <vector>

#include "core/gaussian/orientation.hpp"

namespace zerlant {

// The root-mean-square distance of two geometries of the same atoms in the
// same order after the best translation and rotation (no reflection), in
// angstrom; nullopt when the atoms differ in number or element.
std::optional<double> alignedRmsd(const std::vector<CartesianAtom>& a,
                                  const std::vector<CartesianAtom>& b);

// The Boltzmann populations (summing to 1) of states of the given energies
// (hartree) at `temperature` (K).  Empty for no states.
std::vector<double> boltzmannPopulations(const std::vector<double>& energies, double temperature);

struct Conformer {
    std::string file;
    std::string formula;
    double energy = 0;  // hartree: the energy the populations use
    std::vector<CartesianAtom> atoms;
};

struct EnsembleMember {
    std::size_t conformer = 0;               // index into the conformers given
    std::optional<std::size_t> duplicateOf;  // a lower conformer it repeats
    double relative = 0;                     // hartree above the group's lowest
    double population = 0;                   // 0 for a duplicate
};

struct EnsembleGroup {
    std::string formula;
    // With byConnectivity: the key of the group's bond graph, and which
    // constitution of the formula the group is (1, 2, ... in order of first
    // appearance).
    std::string connectivity;
    int constitution = 1;
    std::vector<EnsembleMember> members;  // lowest energy first
};

struct EnsembleSettings {
    double temperature = 298.15;    // K
    double energyTolerance = 1e-5;  // hartree
    double rmsdTolerance = 0.1;     // angstrom
    // Groups of one formula are split further by connectivity (see
    // connectivityKey): isomers are not conformers of each other.
    bool byConnectivity = false;
};

// The conformers grouped by formula, and with settings.byConnectivity by
// connectivity too (groups in order of first appearance),
// each group sorted by energy; a conformer within both tolerances of a lower
// one of its group is its duplicate and takes no population.
std::vector<EnsembleGroup> buildEnsembles(const std::vector<Conformer>& conformers,
                                          const EnsembleSettings& settings);

}  // namespace zerlant
