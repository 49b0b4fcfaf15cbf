// Scan profiles and maps from the scan points, measured spectra and the
// CSV of curves.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>

#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "core/plotdata/numbertext.hpp"
#include "core/plotdata/plotscene.hpp"
#include "core/plotdata/scanprofile.hpp"
#include "core/scan/scanrun.hpp"
#include "testsupport.hpp"

namespace zerlant::plotdata {
namespace {

constexpr double kNA = std::numeric_limits<double>::quiet_NaN();

ScanFile scanFile(std::string name, std::vector<ScanCoordinate> coordinates,
                  std::vector<ScanPoint> points) {
    return ScanFile{std::move(name), std::move(coordinates), "SCF", std::move(points)};
}

const MessageLookup kMessages = [](int n) { return "m" + std::to_string(n); };

TEST(ScanProfile, FamilyOfCurvesOneAxisPerUnitAndADistinctLowestPoint) {
    // A 2 x 2 grid of a bond B (Å) and an angle A (°), beside a dihedral scan
    // whose second point has no energy.
    const auto profiles = scanProfiles({
        scanFile("grid.log", {{"B", CoordinateKind::Distance}, {"A", CoordinateKind::Angle}},
                 {{1, {0.9, 90}, -76.001},
                  {2, {1.0, 90}, -76.003},
                  {3, {0.9, 95}, -76.002},
                  {4, {1.0, 95}, -76.000}}),
        scanFile("rotor.log", {{"D7", CoordinateKind::Dihedral}},
                 {{1, {-180}, -100.001}, {2, {-150}, kNA}, {3, {-120}, -100.002}}),
    });
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].lowest, 1u);
    EXPECT_NEAR(profiles[0].relative[0], 0.002 * kHartreeKcal, 1e-9);
    EXPECT_EQ(profiles[1].lowest, 2u);
    EXPECT_TRUE(std::isnan(profiles[1].relative[1]));

    const PlotScene scene = scanScene(profiles, kMessages);
    EXPECT_EQ(scene.xTitle, "m282: B (Å)");
    EXPECT_EQ(scene.x2Title, "m282: D7 (°)");
    std::vector<std::string> lines;
    std::vector<int> lineColours, markColours;
    for (const auto& s : scene.series) {
        if (s.style == Series::Style::Line) {
            lines.push_back(s.name);
            lineColours.push_back(s.colour);
            EXPECT_EQ(s.secondXAxis, s.name == "rotor.log");
            for (double y : s.y) EXPECT_TRUE(std::isfinite(y)) << s.name;
        }
        if (s.style == Series::Style::Marker)
            markColours.push_back(s.colour);
    }
    // One curve per value of the second coordinate, along the first.
    EXPECT_EQ(lines,
              (std::vector<std::string>{"grid.log: A = 90°", "grid.log: A = 95°", "rotor.log"}));
    ASSERT_EQ(markColours.size(), 2u);
    for (int c : markColours)
        EXPECT_EQ(std::count(lineColours.begin(), lineColours.end(), c), 0)
            << "the lowest point has a curve's colour";

    // The CSV carries every coordinate of every file, with its unit.
    const std::string csv = scanCsv(profiles);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "file,step,B_angstrom,A_degree,D7_degree,energy_hartree,relative_energy_kcal_mol");
    EXPECT_NE(csv.find("\ngrid.log,4,1,95,,-76,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nrotor.log,2,,,-150,,\n"), std::string::npos) << csv;
}

TEST(ScanGrid, ContoursCrossTheCellEdgesAtTheLevel) {
    ScanGrid g;
    g.xs = {0, 1};
    g.ys = {0, 1};
    g.z = {0, 2, 2, 4};  // (0,0) (1,0) (0,1) (1,1)
    auto segments = contourSegments(g, 1.0);
    ASSERT_EQ(segments.size(), 1u);
    const std::set<std::pair<double, double>> ends{{segments[0].x1, segments[0].y1},
                                                   {segments[0].x2, segments[0].y2}};
    EXPECT_EQ(ends, (std::set<std::pair<double, double>>{{0.5, 0.0}, {0.0, 0.5}}));
    EXPECT_TRUE(contourSegments(g, 5.0).empty());
    // A saddle whose centre lies above the level: the two low corners are cut off.
    g.z = {0, 2, 2, 0};  // low at (0,0) and (1,1)
    segments = contourSegments(g, 0.5);
    ASSERT_EQ(segments.size(), 2u);
    for (const auto& s : segments)
        EXPECT_TRUE((s.x1 < 0.5 && s.y1 < 0.5) == (s.x2 < 0.5 && s.y2 < 0.5))
            << "a segment crosses the centre";
    // A missing corner leaves its cell without lines.
    g.z = {0, 2, kNA, 4};
    EXPECT_TRUE(contourSegments(g, 1.0).empty());
    EXPECT_EQ(contourLevels(ScanGrid{{}, {}, {}, {0, 1}, {0, 1}, {0, 1, 2, 10}, {}}, 5),
              (std::vector<double>{2, 4, 6, 8}));
}

TEST(ScanGrid, RealTwoCoordinateScanMapsOntoItsGrid) {
    ZERLANT_DATA_FILE(source, "cclibdata_g09_water-pes.g09");
    testing::TempDir dir;
    const auto path = dir.path() / "pes.log";
    std::filesystem::copy_file(source, path);
    FileRows rows(1);
    rows.push_back({true, "pes.log", path.string(), ""});
    auto run = zerlant::runScan(
        rows, [](int) { return std::string("X"); }, '.');
    ASSERT_TRUE(run);
    const auto profiles = scanProfiles(run->files);
    ASSERT_EQ(profiles.size(), 1u);
    auto map = scanMapScene(profiles[0], kMessages);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->grid.xs.size(), 6u);  // B from 0.90 to 1.00 Å
    EXPECT_EQ(map->grid.ys.size(), 5u);  // A from 90 to 110°
    EXPECT_EQ(map->xTitle, "B (Å)");
    EXPECT_EQ(map->yTitle, "A (°)");
    // "   22     0.9600   105.0000    -76.40879": the lowest point.
    ASSERT_TRUE(map->grid.lowest);
    EXPECT_EQ(map->grid.xs[map->grid.lowest->first], 0.96);
    EXPECT_EQ(map->grid.ys[map->grid.lowest->second], 105.0);
    EXPECT_FALSE(map->levels.empty());
    for (const auto& level : map->contours) EXPECT_FALSE(level.empty());
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

TEST(CurveCsv, NumbersReadBackEqualAndNonFiniteValuesAreEmpty) {
    const Curve a{{1, 1.5}, {0.1, 1e-7}};
    const Curve b{{1, 1.5}, {-2, std::numeric_limits<double>::infinity()}};
    EXPECT_EQ(curvesCsv({"energy_eV", "a,1.log", "b.log"}, {a, b}),
              "energy_eV,\"a,1.log\",b.log\n1,0.1,-2\n1.5,1e-07,\n");
    for (double v : {std::numeric_limits<double>::max(), 1.0 / 3.0, -382.29428, 5e-324,
                     11.106917689794178, 0.1 + 0.2}) {
        const std::string text = numberText(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(std::nan("")), "");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity(), 4), "");
    EXPECT_EQ(numberIn(" +2.5 "), 2.5);
    EXPECT_FALSE(numberIn("2.5x"));
    EXPECT_FALSE(numberIn("nan"));
}

}  // namespace
}  // namespace zerlant::plotdata
