#pragma once
// One conformer read from a Gaussian output: its last geometry, its formula
// and the energy its population is to come from.

#include <string>

#include "core/common/result.hpp"
#include "core/ensemble/ensemble.hpp"
#include "core/results/extractrecord.hpp"

namespace zerlant {

// The energy of a population: the final method or SCF energy, the free
// energy, or the quasi-harmonic free energy (at the temperature, 1 atm).
enum class PopulationEnergy { E, G, QhG };

// "E", "G" or "qhG".
const char* populationEnergyName(PopulationEnergy by);

// The conformer of an output already read, its energy E; an error when the
// job did not end normally or prints no geometry or energy.
Result<Conformer> conformerOf(const ExtractRecord& record);

// The conformer of the output at `path`; an error (naming the file) when the
// job did not end normally, prints no geometry, or lacks the energy asked for.
Result<Conformer> readConformer(const std::string& path, PopulationEnergy by, double temperature);

}  // namespace zerlant
