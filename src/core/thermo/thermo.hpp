#pragma once
// One molecule's thermochemistry as the table shows it: the harmonic values
// and, beside them, the quasi-harmonic ones.  Hartree per particle.

#include <string>

#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/rrho.hpp"

namespace zerlant::thermo {

struct ThermoSummary {
    std::string formula;
    double e = 0;     // electronic energy
    double zpe = 0;   // zero-point energy (harmonic)
    double h = 0;     // E + thermal enthalpy (harmonic)
    double ts = 0;    // T S (harmonic)
    double qhTs = 0;  // T S with the quasi-harmonic vibrational entropy
    double g = 0;     // H - T S
    double qhH = 0;   // H with the quasi-harmonic vibrational energy
    // qh-H - T qh-S with the quasi-harmonic enthalpy switched on, else H - T qh-S.
    double qhG = 0;
    RrhoResult rrho;
    double qhVibrationalEntropy = 0;  // hartree/K
};

ThermoSummary summarize(const FrequencyStep& step, const ThermoSettings& settings);

}  // namespace zerlant::thermo
