// Every step's geometry: the real outputs against a reviewed table.  The
// made-up cases and the real outputs read in pieces beside the convergence
// reader are in tests/core/molecule, with the stream that reads both.

#include "core/optimisation/steps.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <set>

#include "testsupport.hpp"

namespace zerlant {
namespace {

std::string number(const std::optional<double>& v) {
    if (!v)
        return "";
    char buffer[40];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, *v).ptr);
}

std::vector<GeometryStep> allSteps(const std::filesystem::path& file) {
    std::vector<GeometryStep> steps;
    auto n = readSteps(file.string(), [&](GeometryStep& s) { steps.push_back(std::move(s)); });
    EXPECT_TRUE(n) << file;
    if (n) {
        EXPECT_EQ(*n, static_cast<int>(steps.size())) << file;
    }
    return steps;
}

// The fields of the reviewed table, by name.
std::map<std::string, std::string> fieldsOf(const std::vector<GeometryStep>& steps) {
    int withGeometry = 0, irc = 0, standard = 0;
    std::set<int> scanPoints;
    for (const GeometryStep& s : steps) {
        withGeometry += s.atoms.empty() ? 0 : 1;
        irc += s.ircPoint ? 1 : 0;
        standard += s.orientation == Orientation::Standard ? 1 : 0;
        if (s.scanPoint)
            scanPoints.insert(*s.scanPoint);
    }
    std::map<std::string, std::string> f = {{"steps", std::to_string(steps.size())},
                                            {"with geometry", std::to_string(withGeometry)},
                                            {"standard orientation", std::to_string(standard)},
                                            {"irc points", std::to_string(irc)},
                                            {"scan points", std::to_string(scanPoints.size())}};
    if (steps.empty())
        return f;
    const GeometryStep& last = steps.back();
    f["atoms"] = std::to_string(last.atoms.size());
    f["last energy"] = number(last.energy);
    if (!last.atoms.empty()) {
        const CartesianAtom& a = last.atoms.back();
        f["last atom"] = a.symbol + " " + number(a.x) + " " + number(a.y) + " " + number(a.z);
    }
    return f;
}

TEST(Steps, RealOutputsAgreeWithTheReviewedTable) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    const auto rows = testing::caseRows("golden/steps.tsv");
    ASSERT_GT(rows.size(), 60u);
    const std::vector<std::string> keys = {"steps",       "with geometry", "standard orientation",
                                           "irc points",  "scan points",   "atoms",
                                           "last energy", "last atom"};
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), keys.size() + 1) << row[0];
        auto got = fieldsOf(allSteps(dir / row[0]));
        for (std::size_t k = 0; k < keys.size(); ++k)
            EXPECT_EQ(got[keys[k]], row[k + 1]) << row[0] << ": " << keys[k];
    }
}

}  // namespace
}  // namespace zerlant
