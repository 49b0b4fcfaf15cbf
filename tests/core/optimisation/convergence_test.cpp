// The optimisation steps of real outputs against a reviewed table, and the
// cut-off and starred tables of damaged files (steps_test.cpp reads the
// real outputs in pieces with this reader and the step reader).

#include "core/optimisation/convergence.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <map>

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

// The fields of the reviewed table, by name.
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
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    const char* keys[] = {"steps",
                          "converged steps",
                          "completed",
                          "terminated",
                          "first energy",
                          "last energy",
                          "last max force",
                          "last rms force",
                          "last max displacement",
                          "last rms displacement",
                          "max force threshold",
                          "last step converged"};
    const auto rows = testing::caseRows("golden/convergence.tsv");
    ASSERT_GT(rows.size(), 60u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 13u) << row[0];
        auto track = readConvergence((dir / row[0]).string());
        ASSERT_TRUE(track) << row[0];
        ASSERT_FALSE(track->steps.empty()) << row[0];
        const auto got = fieldsOf(*track);
        for (std::size_t k = 0; k < std::size(keys); ++k)
            EXPECT_EQ(got.at(keys[k]), row[k + 1]) << row[0] << ": " << keys[k];
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
