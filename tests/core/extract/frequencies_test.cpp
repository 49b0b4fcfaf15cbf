#include "core/extract/frequencies.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

FrequencyTable fromData(const std::filesystem::path& path) {
    FoldedText text = testing::readDataText(path);
    return frecuencias(text.ref());
}

TEST(Frequencies, HandWrittenBlocks) {
    // No printout: one mode of zeros.
    FoldedText none(normalisedText(" SCF Done\n"));
    EXPECT_EQ(frecuencias(none.ref()), FrequencyTable(1, FrequencyMode{}));

    // More values than modes, more lines than rows, a label-only line: the
    // surplus is ignored.
    FoldedText text(
        normalisedText(" and normal coordinates:\n"
                       "                      1                      2\n"
                       "                     A1                     B2\n"
                       " Frequencies --   -123.4567              200.0         300.0\n"
                       " Red. masses --      1.5                 2.5\n"
                       " Frc consts  --\n"
                       " IR Inten    --      3.0                 4.0\n"
                       " Raman Activ --      5.0                 6.0\n"
                       " Depolar (P) --      0.7                 0.75\n"
                       " Depolar (U) --      0.8                 0.85\n"
                       " Extra       --      9.0                 9.0\n"
                       "  Atom  AN      X      Y      Z\n"));
    FrequencyTable f = frecuencias(text.ref());
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0], (FrequencyMode{-123.4567, 1.5, 0, 3.0, 5.0, 0.7, 0.8}));
    EXPECT_EQ(f[1], (FrequencyMode{200.0, 2.5, 0, 4.0, 6.0, 0.75, 0.85}));

    // A heading without mode numbers keeps the single zero mode.
    FoldedText empty(normalisedText(" and normal coordinates:\n\n\n Atom\n"));
    EXPECT_EQ(frecuencias(empty.ref()), FrequencyTable(1, FrequencyMode{}));
}

TEST(Frequencies, WaterCrLf) {
    ZERLANT_DATA_FILE(path, "goodvibes_g09_H2O.log");
    FrequencyTable f = fromData(path);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], (FrequencyMode{2016.9478, 1.0771, 2.5816, 2.7107, 0, 0, 0}));
    EXPECT_EQ(f[1], (FrequencyMode{3611.8777, 1.0504, 8.0739, 69.5590, 0, 0, 0}));
    EXPECT_EQ(f[2], (FrequencyMode{3836.4905, 1.0745, 9.3178, 53.6412, 0, 0, 0}));
}

TEST(Frequencies, RamanPrintoutFillsRowsFiveToSeven) {
    ZERLANT_DATA_FILE(path, "cclib_g09_dvb_raman.out");
    FrequencyTable f = fromData(path);
    ASSERT_EQ(f.size(), 3u);  // first group of three of the 54 modes
    EXPECT_EQ(f[0], (FrequencyMode{52.7880, 3.2050, 0.0053, 0.0323, 0.0, 0.0, 0.0}));
    EXPECT_EQ(f[1], (FrequencyMode{83.9368, 2.4755, 0.0103, 0.0, 2.6866, 0.7500, 0.8571}));
    EXPECT_DOUBLE_EQ(f[2][0], 148.1570);
}

TEST(Frequencies, ImaginaryModeAndDiatomic) {
    {
        ZERLANT_DATA_FILE(path, "aqme_g09_Imag_freq.log");
        FrequencyTable f = fromData(path);
        ASSERT_EQ(f.size(), 3u);
        EXPECT_DOUBLE_EQ(f[0][0], -1415.5540);
        EXPECT_DOUBLE_EQ(f[0][3], 27.4995);
    }
    {
        ZERLANT_DATA_FILE(path, "multirx_g16_hcl.out");
        FrequencyTable f = fromData(path);
        ASSERT_EQ(f.size(), 1u);
        EXPECT_EQ(f[0], (FrequencyMode{2934.7150, 1.0360, 5.2571, 38.1680, 0, 0, 0}));
    }
}

TEST(Frequencies, HighPrecisionModesThenTheStandardPrintout) {
    ZERLANT_DATA_FILE(path, "cclibdata_g09_benzene_HPfreq.log");
    FrequencyTable f = fromData(path);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_DOUBLE_EQ(f[0][0], 370.7936);
    EXPECT_DOUBLE_EQ(f[2][0], 618.0103);
    EXPECT_DOUBLE_EQ(f[2][2], 0.4355);
}

TEST(Frequencies, Gaussian98) {
    ZERLANT_DATA_FILE(path, "cclibdata_g98_test_H2.log");
    FrequencyTable f = fromData(path);
    ASSERT_EQ(f.size(), 1u);
    // This version prints one depolarisation line.
    EXPECT_EQ(f[0], (FrequencyMode{-1407.9574, 1.0078, 1.1771, 0.0, 445.3520, 0.3333, 0.0}));
}

}  // namespace
}  // namespace zerlant
