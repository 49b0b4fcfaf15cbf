// Scan profiles from a ScanTable, measured spectra and the CSV of curves.

#include <gtest/gtest.h>

#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "core/plotdata/numbertext.hpp"
#include "core/plotdata/plotscene.hpp"
#include "core/plotdata/scanprofile.hpp"
#include "core/scan/scanrun.hpp"
#include "testsupport.hpp"

namespace zerlant::plotdata {
namespace {

// A ScanTable as the Scan tool lays it out: file columns 0..6, the summary
// from column 7.
Table scanTable(const std::vector<std::vector<std::string>>& rows) {
    Table t(10, 0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) t.set(c, r, rows[r][c]);
    return t;
}

TEST(ScanProfile, RelativeEnergiesPerFile) {
    const Table t = scanTable({
        {"FILE", "", "", "", "", "", "", "N", "D7", "SCF"},
        {"a.log", "C2H6", "RHF", "", "", "", "", "1", "-180.0000", "-100.001"},
        {"", "", "", "", "", "", "", "2", "-150.0000", "-100.002"},
        {"", "", "", "", "", "", "", "3", "-120.0000", "-100.000"},
        {"", "", "", "", "", "", "", "----", "", ""},
        {"FILE", "", "", "", "", "", "", "N", "R1", "SCF"},
        {"b.log", "", "", "", "", "", "", "1", "1,5", "-5,5"},
        {"", "", "", "", "", "", "", "2", "1,6", "-5,4"},
        {"FILE", "", "", "", "", "", "", "N", "R1", "SCF"},  // a file without points
    });
    const auto p = scanProfiles(t);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].file, "a.log");
    EXPECT_EQ(p[0].coordinateName, "D7");
    EXPECT_EQ(p[0].energyName, "SCF");
    EXPECT_EQ(p[0].coordinate, (std::vector<double>{-180, -150, -120}));
    EXPECT_EQ(p[0].lowest, 1u);
    // 0.001 hartree = 0.627509474 kcal/mol
    EXPECT_NEAR(p[0].relative[0], 0.627509474, 1e-6);
    EXPECT_EQ(p[0].relative[1], 0.0);
    EXPECT_NEAR(p[0].relative[2], 1.255018948, 1e-6);
    EXPECT_EQ(p[1].file, "b.log");
    EXPECT_EQ(p[1].coordinate, (std::vector<double>{1.5, 1.6}));
    EXPECT_EQ(p[1].lowest, 0u);
    EXPECT_NEAR(p[1].relative[1], 0.1 * kHartreeKcal, 1e-6);

    // The plot names both coordinates, marks each lowest point, and leaves
    // room beyond the ends.
    const PlotScene scene = scanScene(p, [](int n) { return "m" + std::to_string(n); });
    EXPECT_EQ(scene.xTitle, "m282 (D7, R1)");
    std::vector<double> marks;
    for (const auto& s : scene.series)
        if (s.style == Series::Style::Marker)
            marks.push_back(s.x.at(0));
    EXPECT_EQ(marks, (std::vector<double>{-150, 1.5}));
    EXPECT_LT(scene.xRange.first, -180.0);
    EXPECT_GT(scene.xRange.second, 1.6);

    EXPECT_EQ(scanCsv({p[0]}),
              "coordinate,relative_energy_kcal_mol\n-180,0.627509474\n-150,0\n-120,1.255018948\n");
    EXPECT_EQ(scanCsv(p).substr(0, 54), "file,coordinate,relative_energy_kcal_mol\na.log,-180,0.");
}

TEST(ScanProfile, OnePointPerSummaryLineOfARealScan) {
    ZERLANT_DATA_FILE(path, "cclib_g16_dvb_scan_unrelaxed.log");
    FileRows rows(2);
    rows[1] = {true, path.filename().string(), path.string(), ""};
    auto run = zerlant::runScan(
        rows, [](int) { return std::string("X"); }, '.');
    ASSERT_TRUE(run);
    const auto p = scanProfiles(run->table);
    ASSERT_EQ(p.size(), 1u);
    // "    1  -180.0000   -382.29428" ... "   13   180.0000   -382.29428"
    ASSERT_EQ(p[0].coordinate.size(), 13u);
    EXPECT_EQ(p[0].coordinate.front(), -180.0);
    EXPECT_EQ(p[0].energy[0], -382.29428);
    EXPECT_EQ(p[0].relative[p[0].lowest], 0.0);
    EXPECT_EQ(p[0].energy[p[0].lowest], -382.29428);
    // "    7    -0.0000   -378.37701": the eclipsed top of the profile
    EXPECT_NEAR(p[0].relative[6], (382.29428 - 378.37701) * kHartreeKcal, 1e-6);
}

TEST(Measured, SeparatorsCommentsAndHeaders) {
    struct Case {
        const char* text;
        std::vector<double> x, y;
    };
    const Case cases[] = {
        {"# IR of the film\nx,y\n1000,0.5\n900,0.25\n", {900, 1000}, {0.25, 0.5}},
        {"wavenumber;absorbance\r\n1000,5;0,5\r\n1001;1\r\n", {1000.5, 1001}, {0.5, 1}},
        {"  200\t0.1  extra\n\n210 0.3\n", {200, 210}, {0.1, 0.3}},
        {"1e3 , -2E-1\n", {1000}, {-0.2}},
    };
    for (const auto& c : cases) {
        auto m = parseMeasured(c.text);
        ASSERT_TRUE(m) << c.text;
        EXPECT_EQ(m->x, c.x) << c.text;
        EXPECT_EQ(m->y, c.y) << c.text;
    }
    EXPECT_FALSE(parseMeasured("# nothing\nx y\n"));
    EXPECT_FALSE(parseMeasured(""));
}

TEST(Measured, ScaledToTheComputedCurveInsideItsRange) {
    const Curve computed{{100, 200, 300}, {0, 50, -10}};
    const Curve measured{{50, 150, 250, 400}, {99, 2, -5, 1000}};  // 50 and 400 lie outside
    EXPECT_DOUBLE_EQ(matchingScale(measured, computed), 10.0);
    EXPECT_EQ(scaled(measured, 2).y, (std::vector<double>{198, 4, -10, 2000}));
    EXPECT_EQ(matchingScale(Curve{{150}, {0}}, computed), 1.0);
}

TEST(CurveCsv, HeaderRowsAndNumbers) {
    const Curve a{{1, 1.5}, {0.1, 1e-7}};
    const Curve b{{1, 1.5}, {-2, 3}};
    EXPECT_EQ(curvesCsv({"energy_eV", "a,1.log", "b.log"}, {a, b}),
              "energy_eV,\"a,1.log\",b.log\n1,0.1,-2\n1.5,1e-07,3\n");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberIn(" +2.5 "), 2.5);
    EXPECT_FALSE(numberIn("2.5x"));
    EXPECT_FALSE(numberIn("nan"));
}

}  // namespace
}  // namespace zerlant::plotdata
