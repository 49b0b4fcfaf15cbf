#include "core/extract/mulliken.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

TEST(Formula, OrderOfFirstAppearance) {
    EXPECT_EQ(formulamolecular({"C", "H", "H", "H", "H"}), "CH4");
    EXPECT_EQ(formulamolecular({"O", "H", "H"}), "OH2");
    EXPECT_EQ(formulamolecular({"H", "H", "O"}), "H2O");
    EXPECT_EQ(formulamolecular({"C", "O", "O"}), "CO2");
    EXPECT_EQ(formulamolecular({"Cl", "CL", "Cl"}), "Cl2CL");  // compared exactly
    EXPECT_EQ(formulamolecular({}), "");
    EXPECT_EQ(formulamolecular({"", "C", "", "C"}), "C2");
}

TEST(Mulliken, HandWrittenBlocks) {
    MullikenCharges lists;
    lists.symbols = {"X"};
    lists.charges = {9.0};

    // No block: false, and the lists it was given are left as they were.
    FoldedText none(normalisedText(" SCF Done:  E(RHF) = -1.0\n"));
    EXPECT_FALSE(cargasmulliken(none.ref(), lists));
    EXPECT_EQ(lists.symbols, std::vector<std::string>{"X"});
    EXPECT_EQ(lists.charges, std::vector<double>{9.0});

    // The spin-density block: spin densities ignored; a charge that is not a
    // number is 0; a short line stores nothing but keeps its place.
    FoldedText spin(
        normalisedText(" Mulliken charges and spin densities:\n"
                       "               1          2\n"
                       "     1  O   -0.319889   0.7\n"
                       "     2  H    abc        0.1\n"
                       "     3\n"
                       "     4  H    0.159944   0.2\n"
                       " Sum of Mulliken charges =   0.00000\n"));
    ASSERT_TRUE(cargasmulliken(spin.ref(), lists));
    EXPECT_EQ(lists.symbols, (std::vector<std::string>{"O", "H", "", "H"}));
    EXPECT_EQ(lists.charges, (std::vector<double>{-0.319889, 0.0, 0.0, 0.159944}));
    EXPECT_EQ(formulamolecular(lists.symbols), "OH2");

    // A block found replaces a longer previous list whole.
    FoldedText small(
        normalisedText(" Total atomic charges:\n   1\n  1  H  0.0\n"
                       " Sum of Mulliken charges=   0.00000\n"));
    ASSERT_TRUE(cargasmulliken(small.ref(), lists));
    EXPECT_EQ(lists.symbols, std::vector<std::string>{"H"});
    EXPECT_EQ(lists.charges.size(), 1u);
}

TEST(Mulliken, FirstHeadingWinsWhereverItLiesInALargeText) {
    // The headings are looked for a megabyte at a time from the end; the
    // first heading wins over a later "Mulliken charges:" block even when its
    // "charges" straddles or starts a block boundary.
    const std::string first =
        "Mulliken atomic charges:\r\n 1\r\n 1 C -0.5\r\n Sum of Mulliken charges= 0\r\n";
    const std::string later =
        " Mulliken charges:\r\n 1\r\n 1 O 0.3\r\n Sum of Mulliken charges= 0\r\n";
    const std::size_t charges = first.find("charges");
    const std::size_t megabyte = std::size_t(1) << 20;
    for (int shift : {6, 3, 0, -5}) {
        const std::size_t size = charges + megabyte + static_cast<std::size_t>(shift);
        std::string text = first + std::string(size - first.size() - later.size(), ' ') + later;
        ASSERT_EQ(text.size(), size);
        FoldedText folded(std::move(text));
        MullikenCharges m;
        ASSERT_TRUE(cargasmulliken(folded.ref(), m)) << shift;
        EXPECT_EQ(m.symbols, std::vector<std::string>{"C"}) << shift;
        EXPECT_EQ(m.charges, std::vector<double>{-0.5}) << shift;
    }
}

}  // namespace
}  // namespace zerlant
