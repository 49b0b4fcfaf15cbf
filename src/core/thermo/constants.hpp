#pragma once
// Physical constants of the thermochemistry models: CODATA 2010, the set
// Gaussian 09/16 and the usual post-processing scripts use, so that recomputed
// values agree with the printed ones to the last printed digit.

namespace zerlant::thermo {

inline constexpr double kPlanck = 6.62606957e-34;               // J s
inline constexpr double kBoltzmann = 1.3806488e-23;             // J/K
inline constexpr double kSpeedOfLightCm = 2.99792458e10;        // cm/s
inline constexpr double kAvogadro = 6.02214129e23;              // 1/mol
inline constexpr double kAtomicMass = 1.660538921e-27;          // kg per amu
inline constexpr double kHartreeJoule = 4.35974434e-18;         // J
inline constexpr double kGasConstant = kBoltzmann * kAvogadro;  // J/(mol K)
inline constexpr double kHartreeJoulePerMol = kHartreeJoule * kAvogadro;
inline constexpr double kAtmosphere = 101325.0;  // Pa
inline constexpr double kPi = 3.14159265358979323846;

inline constexpr double kKcalPerMolPerHartree = kHartreeJoulePerMol / 4184.0;
inline constexpr double kKJPerMolPerHartree = kHartreeJoulePerMol / 1000.0;
inline constexpr double kEVPerHartree = 27.21138505;

}  // namespace zerlant::thermo
