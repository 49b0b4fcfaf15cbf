// The thermochemistry models against values worked out by hand for water
// (B3LYP frequencies and rotational constants of goodvibes_g09_H2O.log) and
// against what Gaussian printed for every real frequency job, and the reader
// on a small made-up output.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/thermo/constants.hpp"
#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/quasiharmonic.hpp"
#include "core/thermo/relative.hpp"
#include "core/thermo/rrho.hpp"
#include "core/thermo/thermo.hpp"
#include "testsupport.hpp"

using namespace zerlant::thermo;

namespace {

constexpr double kCal = 4.184;  // J per cal

// J/(mol K) -> cal/(mol K) of a per-particle hartree/K entropy.
double calPerMolK(double hartreePerK) {
    return hartreePerK * kHartreeJoulePerMol / kCal;
}
double kcalPerMol(double hartree) {
    return hartree * kKcalPerMolPerHartree;
}

FrequencyStep water() {
    FrequencyStep w;
    w.frequencies = {2016.9478, 3611.8777, 3836.4905};
    w.rotationalConstants = {611.69239, 422.43605, 249.87314};
    w.mass = 18.01056;
    w.symmetryNumber = 2;
    w.multiplicity = 1;
    w.electronicEnergy = -75.3227738780;
    w.hasElectronicEnergy = true;
    w.formula = "H2O";
    return w;
}

}  // namespace

// Every term at 298.15 K and 1 atm.  By hand: q_trans = (2 pi m k T / h^2)^(3/2) kT/P
// with m = 18.01056 amu gives ln q = 14.915558 (Gaussian prints 14.915562),
// S_trans = R (ln q + 5/2) = 34.6083 cal/(mol K); Theta_rot = h B / k =
// 29.35661, 20.27373, 11.99202 K, q_rot = sqrt(pi)/2 T^(3/2) / sqrt(product),
// ln q = 3.989070, S_rot = R (ln q + 3/2) = 10.9079; S_vib = 0.00127 (three
// modes above 2000 cm-1); E_trans = E_rot = 3/2 RT = 0.888727 kcal/mol;
// ZPE = sum h c nu / 2 = 13.531349 kcal/mol = 0.021563576 hartree, E_vib =
// 13.531691 kcal/mol.
TEST(Harmonic, WaterEveryTerm) {
    const RrhoResult r = harmonic(water(), ThermoSettings{});
    EXPECT_NEAR(calPerMolK(r.translational.entropy), 34.608270, 1e-5);
    EXPECT_NEAR(calPerMolK(r.rotational.entropy), 10.907903, 1e-5);
    EXPECT_NEAR(calPerMolK(r.vibrational.entropy), 0.0012659, 1e-6);
    EXPECT_DOUBLE_EQ(r.electronic.entropy, 0.0);
    EXPECT_NEAR(kcalPerMol(r.translational.energy), 0.888727, 1e-6);
    EXPECT_NEAR(kcalPerMol(r.rotational.energy), 0.888727, 1e-6);
    EXPECT_NEAR(kcalPerMol(r.vibrational.energy), 13.531691, 1e-6);
    EXPECT_NEAR(r.zpe, 0.021563576, 1e-9);
    EXPECT_NEAR(r.thermalEnergy, 0.024396676, 1e-9);
    EXPECT_NEAR(r.thermalEnthalpy, 0.025340861, 1e-9);
    EXPECT_NEAR(r.thermalGibbs(), 0.003714057, 1e-9);

    const ThermoSummary s = summarize(water(), ThermoSettings{});
    EXPECT_NEAR(s.h, -75.297433017, 1e-9);  // Gaussian prints -75.297433
    EXPECT_NEAR(s.ts, 0.021626804, 1e-9);
    EXPECT_NEAR(s.g, -75.319059821, 1e-9);  // Gaussian prints -75.319060
    // Every mode lies far above the cutoff (weights 1 - 6e-6 and closer): the
    // quasi-harmonic values are the harmonic ones to 1e-7.
    EXPECT_NEAR(s.qhTs, s.ts, 1e-7);
    EXPECT_NEAR(s.qhH, s.h, 1e-7);
    EXPECT_DOUBLE_EQ(s.qhG, s.h - s.qhTs);
}

// Another temperature, a standard concentration and a scale factor.
TEST(Harmonic, WaterOtherConditions) {
    ThermoSettings hot;
    hot.temperature = 400.0;
    const ThermoSummary s = summarize(water(), hot);
    EXPECT_NEAR(s.h, -75.296136849, 1e-9);
    EXPECT_NEAR(s.g, -75.326647157, 1e-9);

    // 1 atm -> 1 mol/L raises G by RT ln(RT/P x 1 mol/L) = 1.8943 kcal/mol at 298.15 K
    // (24.465 L/mol), and leaves H alone.
    ThermoSettings molar;
    molar.concentration = 1.0;
    const ThermoSummary gas = summarize(water(), ThermoSettings{});
    const ThermoSummary solution = summarize(water(), molar);
    EXPECT_NEAR(kcalPerMol(solution.g - gas.g), 1.894328, 1e-5);
    EXPECT_DOUBLE_EQ(solution.h, gas.h);

    // The scale multiplies each frequency, so the zero-point energy scales with it.
    ThermoSettings scaled;
    scaled.scale = 0.96;
    EXPECT_NEAR(harmonic(water(), scaled).zpe, 0.96 * 0.021563576, 1e-9);
}

// Linear molecules and atoms: carbon dioxide (sigma 2, B = 11.195462 GHz) has
// S_rot = R (ln(T / (2 Theta)) + 1) with Theta = 0.537297 K: 13.1665 cal/(mol K),
// and E_rot = RT; an atom has no rotational term and R ln(multiplicity) electronic
// entropy (2.183 for a triplet).
TEST(Harmonic, LinearMoleculeAndAtom) {
    FrequencyStep co2;
    co2.frequencies = {563.0465, 563.0465, 1282.3804, 2283.0038};
    co2.rotationalConstants = {11.195462};
    co2.mass = 43.98983;
    co2.symmetryNumber = 2;
    const RrhoResult r = harmonic(co2, ThermoSettings{});
    EXPECT_NEAR(calPerMolK(r.rotational.entropy), 13.1665, 1e-3);  // Gaussian: 13.167
    EXPECT_NEAR(kcalPerMol(r.rotational.energy), 0.592485, 1e-5);  // Gaussian: 0.592

    FrequencyStep oxygen;
    oxygen.mass = 15.99491;
    oxygen.multiplicity = 3;
    const RrhoResult o = harmonic(oxygen, ThermoSettings{});
    EXPECT_DOUBLE_EQ(o.rotational.entropy, 0.0);
    EXPECT_DOUBLE_EQ(o.rotational.energy, 0.0);
    EXPECT_DOUBLE_EQ(o.zpe, 0.0);
    EXPECT_NEAR(calPerMolK(o.electronic.entropy), 1.987204 * std::log(3.0), 1e-5);
    EXPECT_NEAR(calPerMolK(o.translational.entropy), 34.255, 1e-3);  // Gaussian: 34.255
}

// A 50 cm-1 mode at 298.15 K, by hand: w = 1 / (1 + 2^4) = 1/17; harmonic
// S = 20.155940 J/(mol K); mu = h / (8 pi^2 c nu) = 5.5985e-46 kg m^2,
// mu' = mu Bav / (mu + Bav) with Bav = 1e-44, free-rotor S = 14.824480 J/(mol K),
// mixed 15.138095; harmonic E = 2490.97190 J/mol (with ZPE), mixed with RT/2:
// 1313.09571 J/mol.
TEST(QuasiHarmonic, LowModeByHand) {
    EXPECT_NEAR(dampingWeight(50.0, 100.0, 4.0), 1.0 / 17.0, 1e-15);
    EXPECT_NEAR(dampingWeight(100.0, 100.0, 4.0), 0.5, 1e-15);
    EXPECT_NEAR(modeEntropy(50.0, 298.15), 20.155940, 1e-5);
    EXPECT_NEAR(freeRotorEntropy(50.0, 298.15, 1e-44), 14.824480, 1e-5);
    const std::vector<double> modes = {50.0};
    const ThermoSettings settings;
    EXPECT_NEAR(quasiHarmonicVibrationalEntropy(modes, settings) * kHartreeJoulePerMol, 15.138095,
                1e-5);
    EXPECT_NEAR(quasiHarmonicVibrationalEnergy(modes, settings) * kHartreeJoulePerMol, 1313.09571,
                1e-4);

    // Added to water, the low mode's quasi-harmonic entropy is lower than the
    // harmonic one, and G with it higher; with Head-Gordon's enthalpy qh-G uses qh-H.
    FrequencyStep floppy = water();
    floppy.frequencies.insert(floppy.frequencies.begin(), 50.0);
    ThermoSettings hg;
    hg.headGordonEnthalpy = true;
    const ThermoSummary plain = summarize(floppy, settings);
    const ThermoSummary withH = summarize(floppy, hg);
    const ThermoSummary stiff = summarize(water(), settings);
    EXPECT_NEAR(plain.ts - plain.qhTs,
                298.15 * (20.155940 - 15.138095) / kHartreeJoulePerMol + (stiff.ts - stiff.qhTs),
                1e-9);
    EXPECT_GT(plain.qhG, plain.g);
    const ThermoSummary rigid = summarize(water(), hg);  // the three stiff modes' share
    EXPECT_NEAR(withH.h - withH.qhH,
                (2490.97190 - 1313.09571) / kHartreeJoulePerMol + (rigid.h - rigid.qhH), 1e-9);
    EXPECT_DOUBLE_EQ(withH.qhG, withH.qhH - withH.qhTs);
}

TEST(Harmonic, ImaginaryModes) {
    FrequencyStep ts = water();
    ts.frequencies.insert(ts.frequencies.begin(), -1415.554);
    const ThermoSettings ignore;
    EXPECT_DOUBLE_EQ(harmonic(ts, ignore).zpe, harmonic(water(), ignore).zpe);
    ThermoSettings asReal;
    asReal.imaginary = ImaginaryModes::AsReal;
    EXPECT_NEAR(harmonic(ts, asReal).zpe - harmonic(water(), ignore).zpe,
                0.5 * 1415.554 / 219474.6313702, 1e-9);
}

// Relative energies and populations keep to each formula.
TEST(Relative, GroupsByFormula) {
    const std::vector<double> g = {-100.0, -100.001, -50.0, -99.9995};
    const std::vector<std::string> f = {"C2H6O", "C2H6O", "CH4", "C2H6O"};
    auto rel = relativeEnergies(g, f, std::nullopt, EnergyUnit::KcalPerMol);
    EXPECT_NEAR(*rel[0], 0.001 * kKcalPerMolPerHartree, 1e-9);
    EXPECT_DOUBLE_EQ(*rel[1], 0.0);
    EXPECT_DOUBLE_EQ(*rel[2], 0.0);  // alone in its formula
    auto kj = relativeEnergies(g, f, std::size_t{0}, EnergyUnit::KJPerMol);
    EXPECT_NEAR(*kj[1], -0.001 * 2625.49963, 1e-5);
    EXPECT_DOUBLE_EQ(*kj[2], 0.0);
    EXPECT_NEAR(*relativeEnergies(g, f, std::nullopt, EnergyUnit::ElectronVolt)[0], 0.0272114,
                1e-6);

    auto pop = boltzmannPopulations(g, f, 298.15);
    EXPECT_DOUBLE_EQ(*pop[2], 1.0);
    EXPECT_NEAR(*pop[0] + *pop[1] + *pop[3], 1.0, 1e-12);
    // 1 mhartree = 0.6275 kcal/mol: exp(-0.6275 / 0.592485) = 0.3468 of the lowest.
    EXPECT_NEAR(*pop[0] / *pop[1], std::exp(-0.001 * kKcalPerMolPerHartree / 0.5924847), 1e-6);

    const std::vector<double> withGap = {-1.0, NAN};
    auto gap = boltzmannPopulations(withGap, {"X", "X"}, 298.15);
    EXPECT_DOUBLE_EQ(*gap[0], 1.0);
    EXPECT_FALSE(gap[1].has_value());
}

// A made-up output of two steps with both line ends: only the last frequency
// step counts, every group of three modes is read, the high-precision copy
// of the modes is not counted twice, the MP2 energy replaces the SCF one.
TEST(Reader, LastStepEveryMode) {
    const std::string text =
        " Charge =  0 Multiplicity = 2\n"
        " - Thermochemistry -\n"
        " Molecular mass:    99.00000 amu.\n"
        " Sum of electronic and thermal Free Energies=          -1.000000\n"
        " Normal termination of Gaussian 16\n"
        " Charge =  1 Multiplicity = 3\n"
        " SCF Done:  E(UHF) =  -75.9000000000     A.U. after   10 cycles\n"
        " E2 =    -0.2687103937D+00 EUMP2 =    -0.76328992324258D+02\n"
        " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
        " Frequencies ---   -10.1234  20.0000  30.0000  40.0000  50.0000\n"
        " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
        " and normal coordinates:\n"
        "                      1                      2                      3\n"
        " Frequencies --    -10.1234                20.0000                30.0000\n"
        "                      4                      5\n"
        " Frequencies --     40.0000                50.0000\n"
        " -------------------\n"
        " - Thermochemistry -\n"
        " -------------------\n"
        " Temperature   350.000 Kelvin.  Pressure   2.00000 Atm.\n"
        " Atom     1 has atomic number  8 and mass  15.99491\n"
        " Atom     2 has atomic number  1 and mass   1.00783\n"
        " Atom     3 has atomic number  6 and mass  12.00000\n"
        " Atom     4 has atomic number  1 and mass   1.00783\n"
        " Molecular mass:    30.01056 amu.\n"
        " Rotational symmetry number  2.\n"
        " Rotational constants (GHZ):         281.97179    38.83536    34.00350\n"
        " Vibrational temperatures:     28.78    43.16    57.55    71.94\n"
        "          (Kelvin)\n"
        "\n"
        " Zero-point correction=                           0.000318 (Hartree/Particle)\n"
        " Sum of electronic and thermal Enthalpies=             -76.320000\n"
        " Sum of electronic and thermal Free Energies=          -76.350000\n";
    for (const std::string& bytes : {text, zerlant::testing::withCrLf(text)}) {
        auto step = readFrequencyStep(bytes);
        ASSERT_TRUE(step.has_value());
        EXPECT_EQ(step->frequencies, (std::vector<double>{-10.1234, 20, 30, 40, 50}));
        EXPECT_EQ(step->rotationalConstants, (std::vector<double>{281.97179, 38.83536, 34.00350}));
        EXPECT_DOUBLE_EQ(step->mass, 30.01056);
        EXPECT_EQ(step->symmetryNumber, 2);
        EXPECT_EQ(step->multiplicity, 3);
        EXPECT_DOUBLE_EQ(step->electronicEnergy, -76.328992324258);
        EXPECT_DOUBLE_EQ(step->temperature, 350.0);
        EXPECT_DOUBLE_EQ(step->pressure, 2.0);
        EXPECT_EQ(step->modesUsedByGaussian, 4);
        EXPECT_EQ(step->imaginaryCount(), 1);
        EXPECT_FALSE(step->gaussianUsedImaginaryAsReal());
        EXPECT_EQ(step->formula, "CH2O");
        EXPECT_DOUBLE_EQ(*step->printed.zpe, 0.000318);
        EXPECT_DOUBLE_EQ(*step->printed.sumGibbs, -76.35);
        EXPECT_FALSE(step->printed.thermalGibbs.has_value());
    }
    // An excited state's frequencies sum with its total energy.
    const std::string excited =
        " SCF Done:  E(RB3LYP) =  -113.3000000000     A.U. after   10 cycles\n"
        " Total Energy, E(TD-HF/TD-DFT) =  -113.005398103\n"
        " - Thermochemistry -\n"
        " Molecular mass:    27.99491 amu.\n";
    EXPECT_DOUBLE_EQ(readFrequencyStep(excited)->electronicEnergy, -113.005398103);
    EXPECT_FALSE(readFrequencyStep(" SCF Done:  E(RHF) =  -1.0\n").has_value());
    EXPECT_EQ(hillFormula({17, 11}), "ClNa");
    EXPECT_EQ(hillFormula({6, 1, 1, 1, 1, 8, 7}), "CH4NO");
}

// Damaged or truncated sections: values that cannot be right keep their
// defaults instead of poisoning the model.
TEST(Reader, DamagedValues) {
    const std::string text =
        " Charge =  0 Multiplicity = 1e300\n"
        " SCF Done:  E(RHF) =  -1.5     A.U. after   10 cycles\n"
        " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
        " and normal coordinates:\n"
        "                      1                      2                      3\n"
        " Frequencies --   nan   1000.0   ********\n"
        " - Thermochemistry -\n"
        " Temperature   -5.000 Kelvin.  Pressure   0.00000 Atm.\n"
        " Atom     1 has atomic number 9999999999 and mass  15.99491\n"
        " Molecular mass:    18.01056 amu.\n"
        " Rotational symmetry number  -3.\n"
        " Rotational constants (GHZ):      0.0000000   -1.0   422.43605\n";
    auto step = readFrequencyStep(text);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->multiplicity, 1);
    EXPECT_EQ(step->symmetryNumber, 1);
    EXPECT_DOUBLE_EQ(step->temperature, 298.15);
    EXPECT_DOUBLE_EQ(step->pressure, 1.0);
    EXPECT_EQ(step->frequencies, std::vector<double>{1000.0});
    EXPECT_TRUE(step->atomicNumbers.empty());
    EXPECT_EQ(step->rotationalConstants, std::vector<double>{422.43605});  // taken as linear
    const ThermoSummary s = summarize(*step, ThermoSettings{});
    EXPECT_TRUE(std::isfinite(s.g) && std::isfinite(s.qhG));
    // Cut off inside the section: no molecular mass, no step.
    EXPECT_FALSE(readFrequencyStep(text.substr(0, text.find(" Molecular"))).has_value());
}

// The harmonic model against Gaussian's own thermochemistry: for every
// frequency job of the real data folder, at the file's temperature and
// pressure, scale 1, the recomputed zero-point energy, enthalpy and free
// energy round to the printed 6 decimals (within half a unit of the last
// digit, plus 1e-8 for the rounding of the printed inputs).  Jobs whose modes
// cannot all be read (a compound method's step that prints vibrational
// temperatures but not the frequencies) are not checkable.
TEST(GaussianCheck, EveryFrequencyJobOfTheDataFolder) {
    ZERLANT_DATA_FILE(dir, "");
    auto same = [](double computed, double printed) {
        return std::fabs(computed - printed) <= 0.5e-6 + 1e-8;
    };
    int matched = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        auto step = readFrequencyStep(zerlant::testing::readAll(entry.path()));
        if (!step || !step->printed.zpe || !step->printed.sumGibbs)
            continue;
        ThermoSettings settings;
        settings.temperature = step->temperature;
        settings.pressure = step->pressure;
        if (step->gaussianUsedImaginaryAsReal())
            settings.imaginary = ImaginaryModes::AsReal;
        const auto modes = static_cast<int>(vibrationalModes(*step, settings).size());
        if (modes != step->modesUsedByGaussian || !step->hasElectronicEnergy)
            continue;
        const ThermoSummary s = summarize(*step, settings);
        // Some Gaussian 09 revisions print a free-energy sum that disagrees
        // with their own electronic energy plus correction; then the
        // correction is what can be checked.
        const bool gOk =
            same(s.g, *step->printed.sumGibbs) ||
            (step->printed.thermalGibbs &&
             std::fabs(*step->printed.sumGibbs - s.e - *step->printed.thermalGibbs) > 2e-6 &&
             same(s.rrho.thermalGibbs(), *step->printed.thermalGibbs));
        EXPECT_TRUE(same(s.zpe, *step->printed.zpe) && same(s.h, *step->printed.sumEnthalpy) && gOk)
            << entry.path().filename() << ": zpe " << s.zpe << " vs " << *step->printed.zpe
            << ", H " << s.h << " vs " << *step->printed.sumEnthalpy << ", G " << s.g << " vs "
            << *step->printed.sumGibbs;
        ++matched;
    }
    EXPECT_GT(matched, 20);
}
