#include "core/thermo/quasiharmonic.hpp"

#include <cmath>

#include "core/thermo/constants.hpp"

namespace zerlant::thermo {

double dampingWeight(double wavenumber, double cutoff, double alpha) {
    return 1.0 / (1.0 + std::pow(cutoff / wavenumber, alpha));
}

double freeRotorEntropy(double wavenumber, double temperature, double averageMoment) {
    const double mu = kPlanck / (8.0 * kPi * kPi * kSpeedOfLightCm * wavenumber);
    const double effective = mu * averageMoment / (mu + averageMoment);
    const double inside =
        8.0 * kPi * kPi * kPi * effective * kBoltzmann * temperature / (kPlanck * kPlanck);
    return kGasConstant * (0.5 + 0.5 * std::log(inside));
}

double quasiHarmonicVibrationalEntropy(const std::vector<double>& modes,
                                       const ThermoSettings& settings) {
    const double T = settings.temperature;
    double sum = 0;
    for (double nu : modes) {
        const double w = dampingWeight(nu, settings.cutoff, settings.alpha);
        sum += w * modeEntropy(nu, T) + (1.0 - w) * freeRotorEntropy(nu, T, settings.averageMoment);
    }
    return sum / kHartreeJoulePerMol;
}

double quasiHarmonicVibrationalEnergy(const std::vector<double>& modes,
                                      const ThermoSettings& settings) {
    const double T = settings.temperature;
    double sum = 0;
    for (double nu : modes) {
        const double w = dampingWeight(nu, settings.cutoff, settings.alpha);
        sum += w * modeEnergy(nu, T) + (1.0 - w) * 0.5 * kGasConstant * T;
    }
    return sum / kHartreeJoulePerMol;
}

}  // namespace zerlant::thermo
