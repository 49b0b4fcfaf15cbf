// The block readers on hand-written blocks that name each case, and on real
// outputs where a block has a form only they show (freq=hpmodes, nosymm).

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/gaussian/normalmodes.hpp"
#include "core/gaussian/orientation.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

constexpr const char* kRuler =
    " ---------------------------------------------------------------------\n";

std::string orientation(const char* heading, const std::string& rows) {
    return std::string("                          ") + heading + "\n" + kRuler +
           " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
           " Number     Number       Type             X           Y           Z\n" +
           kRuler + rows + kRuler + " Rotational constants (GHZ):  1.0  2.0  3.0\n";
}

TEST(Orientation, TheLastBlockPrintedAndOnlyWholeBlocks) {
    const std::string input =
        orientation("Input orientation:",
                    "      1          8           0        0.100000    0.200000    0.300000\n");
    const std::string standard =
        orientation("Standard orientation:",
                    "      1          6           0        0.000000    0.000000    1.089000\n"
                    "      2          0           0        1.000000   -2.000000    3.500000\n");
    // Gaussian 98 prints no type column.
    const std::string g98 = orientation(
        "Z-Matrix orientation:", "      1          1        -0.500000    0.250000    0.125000\n");

    // A step prints its input orientation, then its standard one; input
    // orientations alone after a standard one (a trajectory) are later steps.
    EXPECT_EQ(lastGeometry(standard + input)->orientation, Orientation::Input);
    auto g = lastGeometry(input + standard + input + standard);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->orientation, Orientation::Standard);
    ASSERT_EQ(g->atoms.size(), 2u);
    EXPECT_EQ(g->atoms[0].symbol, "C");
    EXPECT_EQ(g->atoms[0].atomicNumber, 6);
    EXPECT_DOUBLE_EQ(g->atoms[0].z, 1.089);
    EXPECT_EQ(g->atoms[1].symbol, "");  // a ghost centre has no element
    EXPECT_DOUBLE_EQ(g->atoms[1].y, -2.0);

    auto nosymm = lastGeometry(g98 + input);
    ASSERT_TRUE(nosymm);
    EXPECT_EQ(nosymm->orientation, Orientation::Input);
    EXPECT_DOUBLE_EQ(nosymm->atoms[0].x, 0.1);
    auto zmatrix = lastGeometry(g98);
    ASSERT_TRUE(zmatrix);
    EXPECT_EQ(zmatrix->atoms[0].symbol, "H");
    EXPECT_DOUBLE_EQ(zmatrix->atoms[0].x, -0.5);
    EXPECT_DOUBLE_EQ(zmatrix->atoms[0].z, 0.125);

    // A coordinate Fortran could not print, or a block cut off before its
    // closing ruler: no geometry rather than part of one.
    EXPECT_FALSE(lastGeometry(orientation(
        "Standard orientation:", "      1          6           0   **********    0.0    0.0\n")));
    EXPECT_FALSE(lastGeometry(standard.substr(0, standard.size() - 120)));
    EXPECT_FALSE(lastGeometry("no geometry\n"));

    // Every block, in file order, CR LF line ends too.
    std::string kinds;
    forEachOrientation(testing::withCrLf(input + standard), [&](const OrientationBlock& b) {
        kinds += b.orientation == Orientation::Input ? "I" : "S";
        kinds += std::to_string(b.atoms.size());
    });
    EXPECT_EQ(kinds, "I1S2");
}

TEST(NormalModes, DisplacementsPerGroupAndOnlyWhole) {
    const std::string groups =
        " and normal coordinates:\n"
        "                      1                      2\n"
        "                     A'                     A\"\n"
        " Frequencies --   -123.4567              200.0\n"
        "  Atom  AN      X      Y      Z        X      Y      Z\n"
        "     1   8     0.01   0.02   0.03     0.04   0.05   0.06\n"
        "     2   1    -0.11  -0.12  -0.13     0.14   0.15   0.16\n"
        "                      3\n"
        "                      A\n"
        " Frequencies --    300.0\n"
        "  Atom  AN      X      Y      Z\n"
        "     1   8     0.21   0.22   0.23\n"
        "     2   1     0.24   0.25   0.26\n"
        "\n"
        " - Thermochemistry -\n";
    auto m = lastNormalModes(groups);
    ASSERT_TRUE(m);
    ASSERT_EQ(m->modes.size(), 3u);
    EXPECT_EQ(m->modes[0].symmetry, "A'");
    EXPECT_DOUBLE_EQ(m->modes[0].properties[0], -123.4567);
    EXPECT_TRUE(std::isnan(m->modes[0].properties[1]));
    ASSERT_EQ(m->modes[1].displacements.size(), 2u);
    EXPECT_DOUBLE_EQ(m->modes[1].displacements[1][2], 0.16);
    EXPECT_DOUBLE_EQ(m->modes[2].displacements[0][0], 0.21);

    // A group whose rows skip an atom leaves every mode without displacements.
    std::string skipped = groups;
    skipped.replace(skipped.find("     2   1     0.24"), 5, "     3");
    auto broken = lastNormalModes(skipped);
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->modes.size(), 3u);
    for (const NormalMode& mode : broken->modes) EXPECT_TRUE(mode.displacements.empty());
    EXPECT_FALSE(lastNormalModes("no modes here\n"));
}

// freq=hpmodes prints five-column high-precision modes, then the standard
// ones: the properties of the latter, the displacements of the former.
TEST(NormalModes, HighPrecisionDisplacementsOfARealOutput) {
    ZERLANT_DATA_FILE(file, "cclibdata_g09_benzene_HPfreq.log");
    const std::string text = zerlant::testing::readAll(file);
    auto m = lastNormalModes(text);
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->highPrecision);
    ASSERT_EQ(m->modes.size(), 30u);
    EXPECT_DOUBLE_EQ(m->modes[0].properties[0], 370.7936);
    //   "   3     1     6         -0.04497   0.19296   0.11859   0.00000   0.00000"
    ASSERT_EQ(m->modes[0].displacements.size(), 12u);
    EXPECT_DOUBLE_EQ(m->modes[0].displacements[0][2], -0.04497);
    EXPECT_DOUBLE_EQ(m->modes[4].displacements[0][0], 0.05592);
}

}  // namespace
}  // namespace zerlant
