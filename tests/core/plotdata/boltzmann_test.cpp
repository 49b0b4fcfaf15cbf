// The spectrum of a conformer ensemble: lines weighted by population within
// each formula, a duplicate conformer weighing nothing.

#include <gtest/gtest.h>

#include <cmath>

#include "core/plotdata/boltzmann.hpp"

using namespace zerlant;
using namespace zerlant::plotdata;

TEST(BoltzmannSpectra, WeightsByPopulationWithinEachFormula) {
    const double kT = 3.166811563e-6 * 298.15;  // hartree
    const std::vector<CartesianAtom> bent = {
        {8, "O", 0, 0, 0}, {1, "H", 0.96, 0, 0}, {1, "H", -0.24, 0.93, 0}};
    const std::vector<CartesianAtom> linear = {
        {8, "O", 0, 0, 0}, {1, "H", 0.96, 0, 0}, {1, "H", -0.96, 0, 0}};
    const std::vector<Conformer> conformers = {
        {"a", "H2O", -76.0, bent},
        {"b", "H2O", -76.0 + kT * std::log(3.0), linear},  // a third of a's weight
        {"c", "H2O", -76.0 + 1e-7, bent},                  // a again
        {"d", "CO", -113.0, {{6, "C", 0, 0, 0}, {8, "O", 1.13, 0, 0}}},
    };
    const std::vector<NamedSticks> files = {{"a", {{1600, 40}, {3700, 10}}},
                                            {"b", {{1500, 80}}},
                                            {"c", {{1600, 40}}},
                                            {"d", {{2100, 60}}}};
    const auto spectra =
        boltzmannSpectra(files, conformers, EnsembleSettings{}, PopulationEnergy::G);
    ASSERT_EQ(spectra.size(), 2u);
    EXPECT_EQ(spectra[0].name, "H2O, Boltzmann (G): a 75.0%, b 25.0%");
    ASSERT_EQ(spectra[0].sticks.size(), 3u);  // a's two lines and b's, none of c
    EXPECT_NEAR(spectra[0].sticks[0].strength, 40 * 0.75, 1e-9);
    EXPECT_NEAR(spectra[0].sticks[1].strength, 10 * 0.75, 1e-9);
    EXPECT_EQ(spectra[0].sticks[2].position, 1500);
    EXPECT_NEAR(spectra[0].sticks[2].strength, 80 * 0.25, 1e-9);
    EXPECT_EQ(spectra[1].name, "CO, Boltzmann (G): d 100.0%");
    ASSERT_EQ(spectra[1].sticks.size(), 1u);
    EXPECT_NEAR(spectra[1].sticks[0].strength, 60, 1e-12);
}
