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

TEST(Mulliken, HandWrittenBlocksAndCarriedLists) {
    MullikenCharges lists;
    lists.symbols = {"X"};
    lists.charges = {9.0};

    // No block: false, the previous file's lists are kept.
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

TEST(Mulliken, OptimisationReadsTheLastBlock) {
    ZERLANT_DATA_FILE(path, "cclib_g09_dvb_gopt.out");
    FoldedText text = testing::readDataText(path);
    MullikenCharges m;
    ASSERT_TRUE(cargasmulliken(text.ref(), m));
    ASSERT_EQ(m.symbols.size(), 20u);
    EXPECT_DOUBLE_EQ(m.charges[0], -0.004513);  // first block: -0.008794
    EXPECT_DOUBLE_EQ(m.charges[1], -0.077156);
    EXPECT_EQ(m.symbols[5], "H");
    EXPECT_DOUBLE_EQ(m.charges[5], 0.079219);
    EXPECT_EQ(formulamolecular(m.symbols), "C10H10");
}

TEST(Mulliken, SpinDensityBlockOfAnUnrestrictedJob) {
    ZERLANT_DATA_FILE(path, "cclib_g16_dvb_un_sp.log");
    FoldedText text = testing::readDataText(path);
    MullikenCharges m;
    ASSERT_TRUE(cargasmulliken(text.ref(), m));
    ASSERT_EQ(m.charges.size(), 20u);
    EXPECT_EQ(m.symbols[0], "C");
    EXPECT_DOUBLE_EQ(m.charges[0], 0.055742);  // the spin density 0.213022 is not read
    EXPECT_DOUBLE_EQ(m.charges[1], -0.040813);
}

TEST(Mulliken, Gaussian98TotalAtomicCharges) {
    ZERLANT_DATA_FILE(path, "cclibdata_g98_NIST_CCCBDB_1himidaz_m21b0.out");
    FoldedText text = testing::readDataText(path);
    MullikenCharges m;
    ASSERT_TRUE(cargasmulliken(text.ref(), m));
    EXPECT_EQ(m.symbols, (std::vector<std::string>{"N", "H", "C", "H", "C", "H", "H", "C", "N"}));
    EXPECT_DOUBLE_EQ(m.charges[0], -0.418390);
    EXPECT_DOUBLE_EQ(m.charges[8], -0.179739);
    EXPECT_EQ(formulamolecular(m.symbols), "N2H4C3");
}

TEST(Mulliken, WaterCrLf) {
    ZERLANT_DATA_FILE(path, "goodvibes_g09_H2O.log");
    FoldedText text = testing::readDataText(path);
    MullikenCharges m;
    ASSERT_TRUE(cargasmulliken(text.ref(), m));
    EXPECT_EQ(m.symbols, (std::vector<std::string>{"O", "H", "H"}));
    EXPECT_EQ(m.charges, (std::vector<double>{-0.298194, 0.149097, 0.149097}));
    EXPECT_EQ(formulamolecular(m.symbols), "OH2");
}

}  // namespace
}  // namespace zerlant
