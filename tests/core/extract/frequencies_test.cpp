#include "core/extract/frequencies.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

// NaN never equals itself: compare the printed form.
std::string shown(const FrequencyTable& table) {
    std::string out;
    for (const FrequencyMode& m : table) {
        for (double v : m) out += std::isnan(v) ? "-" : std::to_string(v).substr(0, 9);
        out += '|';
    }
    return out;
}

TEST(Frequencies, HandWrittenBlocks) {
    // No printout: one mode of zeros.
    FoldedText none(normalisedText(" SCF Done\n"));
    EXPECT_EQ(shown(frecuencias(none.ref())), shown(FrequencyTable(1, kModeNotPrinted)));

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
    const double unset = kModeNotPrinted[0];  // "Frc consts --" without values
    EXPECT_EQ(shown(f), shown(FrequencyTable{{-123.4567, 1.5, unset, 3.0, 5.0, 0.7, 0.8},
                                             {200.0, 2.5, unset, 4.0, 6.0, 0.75, 0.85}}));

    // A heading without mode numbers keeps the single zero mode.
    FoldedText empty(normalisedText(" and normal coordinates:\n\n\n Atom\n"));
    EXPECT_EQ(shown(frecuencias(empty.ref())), shown(FrequencyTable(1, kModeNotPrinted)));

    // Every group, not just the first three modes; Gaussian 98's single
    // "Depolar" line is the plane-light ratio.
    FoldedText groups(
        normalisedText(" and normal coordinates:\n"
                       "                      1\n"
                       "                     A\n"
                       " Frequencies --   100.0\n"
                       " Depolar     --     0.3333\n"
                       "  Atom  AN      X      Y      Z\n"
                       "     1   6     0.00   0.00   0.05\n"
                       "                      2                      3\n"
                       "                     A                      A\n"
                       " Frequencies --   200.0                  300.0\n"
                       "  Atom  AN      X      Y      Z\n"
                       "\n"
                       " - Thermochemistry -\n"
                       "                      4\n"));
    FrequencyTable all = frecuencias(groups.ref());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_DOUBLE_EQ(all[0][5], 0.3333);
    EXPECT_DOUBLE_EQ(all[2][0], 300.0);
}

}  // namespace
}  // namespace zerlant
