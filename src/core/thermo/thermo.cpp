#include "core/thermo/thermo.hpp"

#include "core/thermo/quasiharmonic.hpp"

namespace zerlant::thermo {

ThermoSummary summarize(const FrequencyStep& step, const ThermoSettings& settings) {
    ThermoSummary s;
    s.formula = step.formula;
    s.rrho = harmonic(step, settings);
    const double T = settings.temperature;
    const std::vector<double> modes = vibrationalModes(step, settings);

    s.e = step.electronicEnergy;
    s.zpe = s.rrho.zpe;
    s.h = s.e + s.rrho.thermalEnthalpy;
    s.ts = T * s.rrho.entropy;
    s.g = s.h - s.ts;

    s.qhVibrationalEntropy = quasiHarmonicVibrationalEntropy(modes, settings);
    s.qhTs = T * (s.rrho.entropy - s.rrho.vibrational.entropy + s.qhVibrationalEntropy);
    s.qhH = s.h - s.rrho.vibrational.energy + quasiHarmonicVibrationalEnergy(modes, settings);
    s.qhG = (settings.headGordonEnthalpy ? s.qhH : s.h) - s.qhTs;
    return s;
}

}  // namespace zerlant::thermo
