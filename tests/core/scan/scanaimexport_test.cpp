#include "core/results/scanaimexport.hpp"

#include <gtest/gtest.h>

#include "core/results/exporttable.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

TEST(ScanAimExport, ChosenColumnsPackedLeftWithAllRows) {
    Table scan(kScanColumns, 3);
    for (std::size_t c = 0; c < kScanColumns; ++c) scan.set(c, 0, "T" + std::to_string(c));
    scan.set(0, 1, "a.log");
    scan.set(2, 1, "b3lyp");
    scan.set(8, 2, "0.9");

    ScanColumnChecks checks;
    checks.fill(true);
    checks[0] = false;  // file
    checks[3] = false;  // basis
    Table out = prepararexportacionscan(scan, checks);
    EXPECT_EQ(out.columns(), 38u);
    ASSERT_EQ(out.rows(), 3u);
    // Columns 1, 2, 4, 5, 6, then every scan field column whatever is ticked.
    EXPECT_EQ(out.cell(0, 0), "T1");
    EXPECT_EQ(out.cell(1, 1), "b3lyp");
    EXPECT_EQ(out.cell(2, 0), "T4");
    EXPECT_EQ(out.cell(5, 0), "T7");
    EXPECT_EQ(out.cell(6, 2), "0.9");
    EXPECT_EQ(out.cell(18, 0), "T20");
    EXPECT_EQ(out.cell(19, 0), "");
    EXPECT_EQ(columnasvacias(out).substr(0, 6), " 19 20");

    EXPECT_TRUE(columnaelegidascan(7, checks));
    EXPECT_TRUE(columnaelegidascan(-1, checks));
    EXPECT_FALSE(columnaelegidaaim(7, AimColumnChecks{}));
    EXPECT_TRUE(columnaelegidaaim(8, AimColumnChecks{}));

    // The tables as a panel re-creates them export without failing.
    EXPECT_EQ(prepararexportacionscan(emptyScanTable(), checks).rows(), 2u);
    AimColumnChecks none{};
    Table aim = prepararexportacionaim(emptyAimTable(), none);
    EXPECT_EQ(aim.rows(), 1u);
    EXPECT_EQ(columnasvacias(aim).size(), std::string(" 0 1 2 3 4 5 6 7 8 9").size() + 28 * 3);
}

TEST(ScanAimExport, CaptionsInCapitals) {
    EXPECT_EQ(upperCaption("Método"), "MÉTODO");
    EXPECT_EQ(upperCaption("Energía (eV) ñ ÷ ß"), "ENERGÍA (EV) Ñ ÷ ß");
    EXPECT_EQ(upperCaption("\xC3"), "\xC3");  // a cut sequence stays as it is
}

}  // namespace
}  // namespace zerlant
