#include "core/extract/thermochemistry.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

ThermoTable fromText(const std::string& text) {
    FoldedText folded(normalisedText(text));
    return termoquimica(folded.ref());
}

const char* kHeading =
    "                     E (Thermal)             CV                S\n"
    "                      KCal/Mol        Cal/Mol-Kelvin    Cal/Mol-Kelvin\n";

TEST(Thermochemistry, HandWrittenTables) {
    // No table: one line of NaN, written as missing.
    const ThermoTable none = fromText(" no table\n");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(std::isnan(none[0][0]) && std::isnan(none[0][2]));

    // Five standard lines and two vibration lines; the last table of the text
    // wins; a value that is not a number is 0.
    ThermoTable t =
        fromText(std::string(kHeading) +
                 " Total                    9.0                9.0                9.0\n"
                 "                       Q            Log10(Q)             Ln(Q)\n" +
                 kHeading +
                 " Total                   15.309              5.973             45.518\n"
                 " Electronic               0.000              0.000              0.000\n"
                 " Translational            0.889              2.981             34.608\n"
                 " Rotational               0.889              n/a               10.908\n"
                 " Vibrational             13.532              0.011              0.001\n"
                 " Vibration     1          0.596              1.976              4.710\n"
                 " Vibration     2          0.601              1.960\n"
                 "                       Q            Log10(Q)             Ln(Q)\n");
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0], (ThermoLine{15.309, 5.973, 45.518}));
    EXPECT_EQ(t[1], (ThermoLine{0, 0, 0}));
    EXPECT_EQ(t[3], (ThermoLine{0.889, 0, 10.908}));
    EXPECT_EQ(t[5], (ThermoLine{0.596, 1.976, 4.710}));
    EXPECT_EQ(t[6], (ThermoLine{0.601, 1.960, 0}));

    // A table with no line between the headings keeps the starting value.
    EXPECT_EQ(fromText(" Cal/Mol-Kelvin   Q  Log10(Q)\n").size(), 1u);
}

}  // namespace
}  // namespace zerlant
