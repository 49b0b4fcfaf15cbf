// The scan points as numbers: every case of scanpoints_cases.json (a summary,
// the archive's molecule section, and the coordinates, kinds and points
// expected).  A real two-coordinate scan goes through the Scan run in the
// plot data's tests (ScanGrid).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "core/scan/scanpoints.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

CoordinateKind kindNamed(const std::string& name) {
    if (name == "distance")
        return CoordinateKind::Distance;
    if (name == "angle")
        return CoordinateKind::Angle;
    if (name == "dihedral")
        return CoordinateKind::Dihedral;
    return CoordinateKind::Other;
}

// A value of the cases: a number, or null for "not available" (NaN).
void expectValue(const nlohmann::json& expected, double actual, const std::string& what) {
    if (expected.is_null())
        EXPECT_TRUE(std::isnan(actual)) << what << " is " << actual << ", expected N/A";
    else
        EXPECT_EQ(actual, expected.get<double>()) << what;
}

TEST(ScanPoints, Cases) {
    std::ifstream in(std::string(ZERLANT_SOURCE_DIR) + "/tests/core/scan/scanpoints_cases.json");
    ASSERT_TRUE(in);
    const auto cases = nlohmann::json::parse(in);
    ASSERT_FALSE(cases.empty());
    for (const auto& c : cases) {
        const std::string name = c["case"];
        std::string summary;
        for (const auto& line : c["summary"]) summary += line.get<std::string>() + "\r\n";
        const ScanFile f = readScanPoints(summary, c["molecule"].get<std::string>());
        SCOPED_TRACE(name);
        ASSERT_EQ(f.coordinates.size(), c["coordinates"].size());
        for (std::size_t k = 0; k < f.coordinates.size(); ++k) {
            EXPECT_EQ(f.coordinates[k].name, c["coordinates"][k][0]);
            EXPECT_EQ(f.coordinates[k].kind, kindNamed(c["coordinates"][k][1]))
                << f.coordinates[k].name;
        }
        EXPECT_EQ(f.energyName, c["energy"]);
        ASSERT_EQ(f.points.size(), c["points"].size());
        for (std::size_t i = 0; i < f.points.size(); ++i) {
            const auto& e = c["points"][i];
            const ScanPoint& p = f.points[i];
            EXPECT_EQ(p.step, e[0].get<int>());
            ASSERT_EQ(p.coordinates.size(), e[1].size());
            for (std::size_t k = 0; k < p.coordinates.size(); ++k)
                expectValue(e[1][k], p.coordinates[k],
                            "point " + std::to_string(p.step) + " coordinate " + std::to_string(k));
            expectValue(e[2], p.energy, "point " + std::to_string(p.step) + " energy");
        }
    }
}

}  // namespace
}  // namespace zerlant
