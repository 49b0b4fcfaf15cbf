// Every step's geometry and every convergence table of the real outputs against
// reviewed tables, and the cut-off and starred tables of damaged files.  The
// made-up cases and the real outputs read in pieces by both readers are in
// tests/core/molecule, with the stream that reads both.

#include "core/optimisation/steps.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <set>

#include "core/optimisation/convergence.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

std::string yesNo(bool b) {
    return b ? "yes" : "no";
}

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
    ZERLANT_DATA_FILE(dir, "");
    const auto rows = testing::caseRecords("golden/steps.tsv");
    ASSERT_GT(rows.size(), 60u);
    for (const auto& row : rows) {
        auto got = fieldsOf(allSteps(dir / row["file"]));
        got["file"] = row["file"];
        EXPECT_EQ(got, row.fields) << row.source;
    }
}

std::map<std::string, std::string> fieldsOf(const ConvergenceTrack& t) {
    const OptimisationStep& last = t.steps.back();
    int converged = 0;
    for (const OptimisationStep& s : t.steps) converged += s.converged ? 1 : 0;
    const auto& c = last.criteria;
    return {{"steps", std::to_string(t.steps.size())},
            {"converged steps", std::to_string(converged)},
            {"completed", yesNo(t.completed)},
            {"terminated", yesNo(t.terminated)},
            {"first energy", number(t.steps.front().energy)},
            {"last energy", number(last.energy)},
            {"last max force", number(c[0].value)},
            {"last rms force", number(c[1].value)},
            {"last max displacement", number(c[2].value)},
            {"last rms displacement", number(c[3].value)},
            {"max force threshold", number(c[0].threshold)},
            {"last step converged", yesNo(last.converged)}};
}

TEST(Convergence, RealOutputsAgreeWithTheReviewedTable) {
    ZERLANT_DATA_FILE(dir, "");
    const auto rows = testing::caseRecords("golden/convergence.tsv");
    ASSERT_GT(rows.size(), 60u);
    for (const auto& row : rows) {
        auto track = readConvergence((dir / row["file"]).string());
        ASSERT_TRUE(track) << row.source;
        ASSERT_FALSE(track->steps.empty()) << row.source;
        for (const auto& [key, value] : fieldsOf(*track)) EXPECT_EQ(value, row[key]) << row.source;
    }
}

TEST(Convergence, DamagedTablesKeepWhatTheyHold) {
    const std::string table =
        " SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles\r\n"
        " Step number   3 out of a maximum of   20 on scan point     2 out of    11\r\n"
        "         Item               Value     Threshold  Converged?\r\n"
        " Maximum Force            ********     0.000450     NO \r\n"
        " RMS     Force            0.000100     0.000300     YES\r\n";
    ConvergenceReader reader;
    // Cut off after two criteria, then a new step without an energy of its own.
    reader.feed(table + " Predicted change\r\n" + table.substr(table.find("         Item")) +
                " Maximum Displacement     0.000010     0.001800     YES\r\n"
                " RMS     Displacement     0.000010     0.001200     YES\r\n"
                "    Optimization completed.\r\n Normal termination of Gaussian");
    const ConvergenceTrack& t = reader.track();
    ASSERT_EQ(t.steps.size(), 2u);
    const OptimisationStep& first = t.steps[0];
    EXPECT_EQ(first.energy, -76.4089412867);
    EXPECT_EQ(first.stepInRun, 3);
    EXPECT_EQ(first.scanPoint, 2);
    EXPECT_FALSE(first.criteria[0].value);
    EXPECT_EQ(first.criteria[0].threshold, 0.00045);
    EXPECT_TRUE(first.criteria[1].met);
    EXPECT_FALSE(first.criteria[2].threshold);
    EXPECT_FALSE(first.converged);
    EXPECT_FALSE(t.steps[1].energy);  // no SCF of its own
    EXPECT_TRUE(t.steps[1].converged);
    EXPECT_TRUE(t.completed);
    EXPECT_FALSE(t.terminated);  // its line has not ended yet
    reader.feed(" at Mon Dec  7\r\n");
    EXPECT_TRUE(reader.track().terminated);
}

}  // namespace
}  // namespace zerlant
