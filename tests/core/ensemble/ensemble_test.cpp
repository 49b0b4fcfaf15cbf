// Geometries compared after superposition, Boltzmann populations and
// duplicate conformers, on cases worked out by hand.

#include "core/ensemble/ensemble.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/ensemble/connectivity.hpp"

namespace zerlant {
namespace {

std::vector<CartesianAtom> molecule(std::vector<std::array<double, 4>> rows) {
    std::vector<CartesianAtom> atoms;
    for (const auto& r : rows)
        atoms.push_back({static_cast<int>(r[0]), r[0] == 1 ? "H" : "C", r[1], r[2], r[3]});
    return atoms;
}

// A chiral, non-planar arrangement of four different positions.
const auto kTwisted = molecule({{6, 0, 0, 0}, {1, 1.1, 0, 0}, {1, 0, 1.3, 0}, {1, 0.2, 0.1, 1.5}});

TEST(Ensemble, RmsdAfterTheBestSuperposition) {
    // Turned by 40 degrees about z and moved: the same geometry.
    const double c = std::cos(0.7), s = std::sin(0.7);
    auto turned = kTwisted;
    for (CartesianAtom& a : turned) {
        const double x = a.x, y = a.y;
        a.x = c * x - s * y + 3, a.y = s * x + c * y - 1, a.z += 2;
    }
    EXPECT_NEAR(*alignedRmsd(kTwisted, turned), 0, 1e-9);
    // Bonds of 1.0 and 1.2 angstrom: each atom 0.1 off after superposition.
    EXPECT_NEAR(*alignedRmsd(molecule({{1, 0, 0, 0}, {1, 1, 0, 0}}),
                             molecule({{1, 0, 5, 0}, {1, 0, 5, 1.2}})),
                0.1, 1e-12);
    // A mirror image is no rotation of it.
    auto mirrored = kTwisted;
    for (CartesianAtom& a : mirrored) a.z = -a.z;
    EXPECT_GT(*alignedRmsd(kTwisted, mirrored), 0.1);
    // Other atoms, or another number of them: no comparison.
    auto other = kTwisted;
    other[1].atomicNumber = 8;
    EXPECT_FALSE(alignedRmsd(kTwisted, other));
    EXPECT_FALSE(alignedRmsd(kTwisted, molecule({{6, 0, 0, 0}})));
}

TEST(Ensemble, PopulationsAndDuplicates) {
    // 1 kcal/mol apart at 298.15 K.
    const auto p = boltzmannPopulations({-100.0, -100.0 + 1 / 627.509474}, 298.15);
    EXPECT_NEAR(p[0], 0.843935486760828, 1e-12);
    EXPECT_NEAR(p[1], 0.15606451323917195, 1e-12);

    auto moved = kTwisted;
    for (CartesianAtom& a : moved) a.x += 7;  // the same conformer elsewhere
    auto bent = kTwisted;
    bent[3].z = 0.5;  // another conformer
    const std::vector<Conformer> conformers = {{"b.log", "CH3", -40.000004, moved},
                                               {"a.log", "CH3", -40.0, kTwisted},
                                               {"w.log", "H2O", -76.0, {}},
                                               {"c.log", "CH3", -40.000002, bent}};
    const auto groups = buildEnsembles(conformers, EnsembleSettings{});
    ASSERT_EQ(groups.size(), 2u);
    const auto& ch3 = groups[0].members;
    ASSERT_EQ(ch3.size(), 3u);
    EXPECT_EQ(ch3[0].conformer, 0u);  // lowest first
    EXPECT_EQ(ch3[1].conformer, 3u);
    EXPECT_EQ(ch3[2].duplicateOf, 0u);  // a.log repeats b.log: no population
    EXPECT_EQ(ch3[2].population, 0);
    EXPECT_NEAR(ch3[2].relative, 4e-6, 1e-12);
    EXPECT_NEAR(ch3[0].population + ch3[1].population, 1, 1e-12);
    EXPECT_EQ(groups[1].members[0].population, 1);
}

}  // namespace
}  // namespace zerlant

namespace zerlant {
namespace {

std::vector<CartesianAtom> atomsOf(std::vector<std::array<double, 4>> rows) {
    std::vector<CartesianAtom> atoms;
    for (const auto& r : rows) atoms.push_back({static_cast<int>(r[0]), "", r[1], r[2], r[3]});
    return atoms;
}

// Ethanol and dimethyl ether, C2H6O both, built by hand with bonds of 0.95
// to 1.52 angstrom.
const auto kEthanol = atomsOf({{6, 0, 0, 0},
                               {6, 1.52, 0, 0},
                               {8, 2.0, 1.35, 0},
                               {1, 2.95, 1.3, 0},
                               {1, -0.38, 1.03, 0},
                               {1, -0.38, -0.5, 0.9},
                               {1, -0.38, -0.5, -0.9},
                               {1, 1.9, -0.5, 0.9},
                               {1, 1.9, -0.5, -0.9}});
const auto kEther = atomsOf({{6, 0, 0, 0},
                             {8, 1.41, 0, 0},
                             {6, 1.88, 1.33, 0},
                             {1, -0.38, 1.03, 0},
                             {1, -0.38, -0.5, 0.9},
                             {1, -0.38, -0.5, -0.9},
                             {1, 2.97, 1.33, 0},
                             {1, 1.5, 1.85, 0.9},
                             {1, 1.5, 1.85, -0.9}});

TEST(Ensemble, ConnectivityTellsIsomersFromConformers) {
    EXPECT_EQ(covalentBonds(kEthanol).size(), 8u);
    EXPECT_EQ(covalentBonds(kEther).size(), 8u);
    // The hydroxyl turned: another conformer.  The atoms listed in another
    // order: the same molecule.
    auto turned = kEthanol;
    turned[3].x = 2.3, turned[3].y = 1.7, turned[3].z = 0.8;
    auto reordered = kEthanol;
    std::reverse(reordered.begin(), reordered.end());
    EXPECT_EQ(connectivityKey(turned), connectivityKey(kEthanol));
    EXPECT_EQ(connectivityKey(reordered), connectivityKey(kEthanol));
    EXPECT_NE(connectivityKey(kEther), connectivityKey(kEthanol));

    const std::vector<Conformer> conformers = {{"ether.log", "C2H6O", -154.9, kEther},
                                               {"ethanol.log", "C2H6O", -154.95, kEthanol},
                                               {"turned.log", "C2H6O", -154.949, turned}};
    EnsembleSettings settings;
    ASSERT_EQ(buildEnsembles(conformers, settings).size(), 1u);  // by formula alone
    settings.byConnectivity = true;
    const auto groups = buildEnsembles(conformers, settings);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].constitution, 1);
    ASSERT_EQ(groups[0].members.size(), 1u);
    EXPECT_EQ(groups[0].members[0].population, 1);  // the ether alone
    EXPECT_EQ(groups[1].constitution, 2);
    ASSERT_EQ(groups[1].members.size(), 2u);
    EXPECT_EQ(groups[1].members[0].conformer, 1u);
}

}  // namespace
}  // namespace zerlant
