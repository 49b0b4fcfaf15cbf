#pragma once
// Quasi-harmonic treatments of low vibrational modes, whose harmonic entropy
// diverges as the frequency goes to zero.
//
// Entropy (Grimme, Chem. Eur. J. 2012, 18, 9955): each mode's entropy is the
// damped mix  w S_harmonic + (1 - w) S_free-rotor,  w = 1 / (1 + (nu0/nu)^alpha),
// where the free rotor has the moment mu' = mu Bav / (mu + Bav), mu = h / (8 pi^2 c nu),
// and S_free-rotor = R (1/2 + ln sqrt(8 pi^3 mu' k T / h^2)).
// Enthalpy (Li, Gomes, Sharada, Bell, Head-Gordon, J. Phys. Chem. C 2015, 119,
// 1840): each mode's energy is  w E_harmonic + (1 - w) RT/2, the harmonic energy
// including the zero-point energy.

#include <vector>

#include "core/thermo/rrho.hpp"

namespace zerlant::thermo {

// The damping weight of a mode (1/2 at the cutoff).
double dampingWeight(double wavenumber, double cutoff, double alpha);

// Free-rotor entropy of a mode, J/(mol K).
double freeRotorEntropy(double wavenumber, double temperature, double averageMoment);

// The vibrational entropy (hartree/K) and energy (hartree, zero-point energy
// included) of the modes with the quasi-harmonic treatment of `settings`.
double quasiHarmonicVibrationalEntropy(const std::vector<double>& modes,
                                       const ThermoSettings& settings);
double quasiHarmonicVibrationalEnergy(const std::vector<double>& modes,
                                      const ThermoSettings& settings);

}  // namespace zerlant::thermo
