#include "core/thermo/rrho.hpp"

#include <algorithm>
#include <cmath>

#include "core/thermo/constants.hpp"

namespace zerlant::thermo {

namespace {

double perParticle(double joulePerMol) {
    return joulePerMol / kHartreeJoulePerMol;
}

// Translational entropy of an ideal gas (Sackur-Tetrode), J/(mol K), with the
// volume per molecule kT/P or, for a standard concentration, 1/(c N_A).
double translationalEntropy(double massAmu, const ThermoSettings& s) {
    const double m = massAmu * kAtomicMass;
    const double T = s.temperature;
    const double volume = s.concentration ? 1.0 / (*s.concentration * 1000.0 * kAvogadro)
                                          : kBoltzmann * T / (s.pressure * kAtmosphere);
    const double thermal = std::pow(2.0 * kPi * m * kBoltzmann * T / (kPlanck * kPlanck), 1.5);
    return kGasConstant * (std::log(thermal * volume) + 2.5);
}

// Rotational temperature of a rotational constant in GHz.
double rotationalTemperature(double ghz) {
    return kPlanck * ghz * 1e9 / kBoltzmann;
}

}  // namespace

std::vector<double> vibrationalModes(const FrequencyStep& step, const ThermoSettings& settings) {
    std::vector<double> modes;
    modes.reserve(step.frequencies.size());
    for (double f : step.frequencies) {
        if (f < 0 && settings.imaginary == ImaginaryModes::Ignore)
            continue;
        const double nu = std::fabs(f) * settings.scale;
        if (nu > 0)
            modes.push_back(nu);
    }
    return modes;
}

double modeEnergy(double wavenumber, double temperature) {
    const double x = kPlanck * kSpeedOfLightCm * wavenumber / (kBoltzmann * temperature);
    return kGasConstant * temperature * x * (0.5 + 1.0 / std::expm1(x));
}

double modeEntropy(double wavenumber, double temperature) {
    const double x = kPlanck * kSpeedOfLightCm * wavenumber / (kBoltzmann * temperature);
    return kGasConstant * (x / std::expm1(x) - std::log(-std::expm1(-x)));
}

RrhoResult harmonic(const FrequencyStep& step, const ThermoSettings& settings) {
    const double T = settings.temperature;
    const double R = kGasConstant;
    RrhoResult r;
    r.temperature = T;

    r.translational.energy = perParticle(1.5 * R * T);
    r.translational.entropy = perParticle(translationalEntropy(step.mass, settings));

    if (step.rotationalConstants.size() == 1) {
        // Linear: q = T / (sigma Theta), S = R (ln q + 1), E = RT.
        const double q =
            T / (step.symmetryNumber * rotationalTemperature(step.rotationalConstants[0]));
        r.rotational.energy = perParticle(R * T);
        r.rotational.entropy = perParticle(R * (std::log(q) + 1.0));
    } else if (step.rotationalConstants.size() >= 3) {
        // q = sqrt(pi) / sigma * T^(3/2) / sqrt(ThA ThB ThC), S = R (ln q + 3/2), E = 3/2 RT.
        const double product = rotationalTemperature(step.rotationalConstants[0]) *
                               rotationalTemperature(step.rotationalConstants[1]) *
                               rotationalTemperature(step.rotationalConstants[2]);
        const double q =
            std::sqrt(kPi) / step.symmetryNumber * std::pow(T, 1.5) / std::sqrt(product);
        r.rotational.energy = perParticle(1.5 * R * T);
        r.rotational.entropy = perParticle(R * (std::log(q) + 1.5));
    }  // an atom does not rotate

    double zpe = 0, energy = 0, entropy = 0;
    for (double nu : vibrationalModes(step, settings)) {
        zpe += 0.5 * kPlanck * kSpeedOfLightCm * nu * kAvogadro;
        energy += modeEnergy(nu, T);
        entropy += modeEntropy(nu, T);
    }
    r.zpe = perParticle(zpe);
    r.vibrational.energy = perParticle(energy);
    r.vibrational.entropy = perParticle(entropy);

    // Only the ground electronic state, degenerate by its spin multiplicity.
    r.electronic.entropy = perParticle(R * std::log(std::max(1, step.multiplicity)));

    r.thermalEnergy = r.translational.energy + r.rotational.energy + r.vibrational.energy;
    r.thermalEnthalpy = r.thermalEnergy + perParticle(R * T);
    r.entropy = r.translational.entropy + r.rotational.entropy + r.vibrational.entropy +
                r.electronic.entropy;
    return r;
}

}  // namespace zerlant::thermo
