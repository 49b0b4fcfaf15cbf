#include "core/extract/orbitals.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

constexpr OrbitalKind kAlphaOcc{OrbitalSpin::Alpha, OrbitalOccupancy::Occupied};
constexpr OrbitalKind kAlphaVirt{OrbitalSpin::Alpha, OrbitalOccupancy::Virtual};

OrbitalEnergies parseText(const std::string& text) {
    FoldedText folded(normalisedText(text));
    return energiasorbitales(folded.ref());
}

TEST(Orbitals, ClosedShellLabelsHomoLumoAndSymmetries) {
    auto o = parseText(
        " Orbital symmetries:\n"
        "       Occupied  (A1) (A1) (T2)\n"
        "       Virtual   (A1) (T2)\n"
        " The electronic state is 1-A1.\n"
        " Alpha  occ. eigenvalues --  -10.2 -0.7 -0.4\n"
        " Alpha virt. eigenvalues --   0.1 0.3\n"
        "          Condensed to atoms (all electrons):\n");
    EXPECT_EQ(o.energies, (std::vector<double>{-10.2, -0.7, -0.4, 0.1, 0.3}));
    EXPECT_EQ(o.kinds,
              (std::vector<OrbitalKind>{kAlphaOcc, kAlphaOcc, kAlphaOcc, kAlphaVirt, kAlphaVirt}));
    EXPECT_EQ(o.symmetries, (std::vector<std::string>{"A1", "A1", "T2", "A1", "T2"}));
    EXPECT_DOUBLE_EQ(o.homo, -0.4);
    EXPECT_DOUBLE_EQ(o.lumo, 0.1);
}

TEST(Orbitals, EdgeCasesOfHandWrittenBlocks) {
    // No eigenvalue at all: empty lists, HOMO and LUMO stay 0.
    auto none = parseText("nothing here\n");
    EXPECT_TRUE(none.energies.empty());
    EXPECT_EQ(none.homo, 0.0);
    EXPECT_EQ(none.lumo, 0.0);

    // Without a symmetry block the last population analysis is read (not the
    // "Full Mulliken population analysis" matrix inside it nor the natural
    // population summary after it); values fused in their fixed-width fields
    // are cut apart, overflowed ones skipped; missing symmetry labels are
    // empty.
    auto o = parseText(
        " Population analysis using the SCF density.\n"
        " Alpha  occ. eigenvalues --  -10.16707-100.12345**********-0.50000\n"
        " Alpha  occ. eigenvalues -- -432.65565-432.65565 -0.6\n"
        " Alpha virt. eigenvalues --    0.2 167.099152938.92736\n"
        "     Molecular Orbital Coefficients:\n"
        "   1 1   O  1S          0.99 -0.88\n"
        "    Full Mulliken population analysis:\n"
        "   1 1   O  1S          2.10753\n"
        "          Condensed to atoms (all electrons):\n"
        " Summary of Natural Population Analysis:\n");
    EXPECT_EQ(o.energies, (std::vector<double>{-10.16707, -100.12345, -0.5, -432.65565, -432.65565,
                                               -0.6, 0.2, 167.09915, 2938.92736}));
    EXPECT_EQ(o.symmetries, std::vector<std::string>(9));
    EXPECT_DOUBLE_EQ(o.homo, -0.5);
    EXPECT_DOUBLE_EQ(o.lumo, 0.2);

    // A later analysis printed without symmetry (the last point of a
    // trajectory) is read, not the symmetric first one.
    auto later = parseText(
        " Population analysis using the SCF density.\n"
        " Orbital symmetries:\n       Occupied  (A1)\n       Virtual   (B2)\n"
        " The electronic state is 1-A1.\n"
        " Alpha  occ. eigenvalues --   -0.6\n Alpha virt. eigenvalues --    0.4\n"
        "          Condensed to atoms (all electrons):\n"
        " Population analysis using the SCF density.\n"
        " Alpha  occ. eigenvalues --   -0.5\n Alpha virt. eigenvalues --    0.3\n"
        "          Condensed to atoms (all electrons):\n");
    EXPECT_EQ(later.energies, (std::vector<double>{-0.5, 0.3}));
    EXPECT_EQ(later.symmetries, (std::vector<std::string>{"", ""}));
    EXPECT_DOUBLE_EQ(later.homo, -0.5);
}

}  // namespace
}  // namespace zerlant
