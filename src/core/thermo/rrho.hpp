#pragma once
// The rigid-rotor harmonic-oscillator model of an ideal gas: translational,
// rotational, vibrational and electronic contributions at any temperature and
// pressure, as Gaussian computes them at its own.

#include <optional>
#include <vector>

#include "core/thermo/gaussianthermo.hpp"

namespace zerlant::thermo {

enum class ImaginaryModes {
    Ignore,  // left out of every sum (the usual treatment)
    AsReal,  // counted with their absolute value
};

struct ThermoSettings {
    double temperature = 298.15;  // K
    double pressure = 1.0;        // atm: the standard state of the translational entropy
    // mol/L: when set, the standard state of the translational entropy is this
    // concentration instead of the ideal gas at `pressure`.
    std::optional<double> concentration;
    double scale = 1.0;  // multiplies every frequency
    ImaginaryModes imaginary = ImaginaryModes::Ignore;
    // Quasi-harmonic treatment of low modes.
    double cutoff = 100.0;         // cm-1, where the damping weight is 1/2
    double alpha = 4.0;            // exponent of the damping function
    double averageMoment = 1e-44;  // kg m^2, the limit of the free-rotor moment
    bool headGordonEnthalpy = false;
};

// Energies in hartree per particle, entropies in hartree per particle and kelvin.
struct Contribution {
    double energy = 0;
    double entropy = 0;
};

struct RrhoResult {
    double zpe = 0;
    Contribution translational;
    Contribution rotational;
    Contribution vibrational;  // its energy includes the zero-point energy
    Contribution electronic;
    double thermalEnergy = 0;    // sum of the four energies
    double thermalEnthalpy = 0;  // plus kT
    double entropy = 0;          // sum of the four entropies
    double temperature = 0;
    double thermalGibbs() const { return thermalEnthalpy - temperature * entropy; }
};

// The vibrational modes a model counts: the frequencies times the scale
// factor, imaginary ones left out or made positive, zeros dropped.
std::vector<double> vibrationalModes(const FrequencyStep& step, const ThermoSettings& settings);

// Per mode, in J/mol and J/(mol K): x = h c nu / (k T).
double modeEnergy(double wavenumber, double temperature);  // zero-point included
double modeEntropy(double wavenumber, double temperature);

// The whole model for one molecule.
RrhoResult harmonic(const FrequencyStep& step, const ThermoSettings& settings);

}  // namespace zerlant::thermo
