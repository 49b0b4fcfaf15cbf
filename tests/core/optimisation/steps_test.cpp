// Every step's geometry: the real outputs against a reviewed table, the same
// steps as the convergence reader on every real output, the same steps
// whatever pieces the bytes come in (a file read as it grows), and the
// damaged or cut-off blocks of broken files.

#include "core/optimisation/steps.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <random>
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

// The steps with a convergence table are the convergence reader's steps, in
// the same order with the same energies and criteria, on every real output.
TEST(Steps, EveryRealOutputHasTheConvergenceReadersSteps) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".out" && ext != ".log")
            continue;
        const auto track = readConvergence(entry.path().string());
        ASSERT_TRUE(track) << entry.path();
        std::vector<GeometryStep> tables;
        for (GeometryStep& s : allSteps(entry.path()))
            if (s.criteria)
                tables.push_back(std::move(s));
        const std::string name = entry.path().filename().string();
        ASSERT_EQ(tables.size(), track->steps.size()) << name;
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const OptimisationStep& c = track->steps[i];
            const GeometryStep& s = tables[i];
            EXPECT_EQ(s.energy, c.energy) << name << " step " << i + 1;
            EXPECT_EQ(s.scanPoint, c.scanPoint) << name << " step " << i + 1;
            EXPECT_EQ(s.converged, c.converged) << name << " step " << i + 1;
            for (std::size_t k = 0; k < kCriteria; ++k)
                EXPECT_EQ((*s.criteria)[k].value, c.criteria[k].value) << name << " step " << i + 1;
        }
        ++files;
    }
    EXPECT_GT(files, 150);
}

bool sameStep(const GeometryStep& a, const GeometryStep& b) {
    auto sameAtom = [](const CartesianAtom& x, const CartesianAtom& y) {
        return x.x == y.x && x.y == y.y && x.z == y.z && x.symbol == y.symbol;
    };
    return a.number == b.number && a.energy == b.energy && a.converged == b.converged &&
           a.orientation == b.orientation && a.ircPoint == b.ircPoint &&
           a.criteria.has_value() == b.criteria.has_value() &&
           std::equal(a.atoms.begin(), a.atoms.end(), b.atoms.begin(), b.atoms.end(), sameAtom);
}

// A file read as it grows, in pieces from one byte to a few kilobytes: every
// step once, the same as read whole, handed back as soon as the lines after
// it settle it (not all at the end); the convergence reader fed the same
// pieces keeps the same tables.
TEST(Steps, AnyPiecesGiveTheSameStepsAsTheyComplete) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    std::mt19937 random(11);
    for (const char* name : {"cclib_g09_dvb_gopt.out", "arc_g09_rxn_1_irc_1.out",
                             "aqme_g09_CH2OH2_unfinished.log", "arc_g03_H2O2.out"}) {
        const std::string bytes = testing::readAll(dir / name);
        StepReader whole;
        std::vector<GeometryStep> expected = whole.feed(bytes);
        for (GeometryStep& s : whole.finish()) expected.push_back(std::move(s));
        ASSERT_GT(expected.size(), 1u) << name;

        StepReader pieces;
        ConvergenceReader convergence;
        std::vector<GeometryStep> got;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t most = at < 20000 ? 3 : 4000;  // single bytes through the heading
            const auto piece = std::string_view(bytes).substr(
                at, std::uniform_int_distribution<std::size_t>(1, most)(random));
            for (GeometryStep& s : pieces.feed(piece)) got.push_back(std::move(s));
            convergence.feed(piece);
            at += piece.size();
        }
        EXPECT_GE(got.size() + 1, expected.size()) << name;
        for (GeometryStep& s : pieces.finish()) got.push_back(std::move(s));
        EXPECT_TRUE(pieces.finish().empty()) << name;
        EXPECT_EQ(pieces.consumed(), bytes.size()) << name;
        ASSERT_EQ(got.size(), expected.size()) << name;
        std::size_t table = 0;
        const auto& tables = convergence.track().steps;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(sameStep(got[i], expected[i])) << name << " step " << i + 1;
            if (!got[i].criteria)
                continue;
            ASSERT_LT(table, tables.size()) << name;
            const OptimisationStep& c = tables[table++];
            EXPECT_TRUE(c.energy == got[i].energy && c.converged == got[i].converged &&
                        c.criteria[3].value == (*got[i].criteria)[3].value)
                << name << " table " << table;
        }
        EXPECT_EQ(table, tables.size()) << name;
    }
}

// A file cut just after a convergence table (a job still running, read as
// it is now): the step of that table is the last one read.
TEST(Steps, AFileCutAfterATableEndsWithThatStep) {
    ZERLANT_DATA_FILE(path, "cclib_g09_dvb_gopt.out");
    const std::string bytes = testing::readAll(path);
    std::size_t cut = 0;
    for (int table = 0; table < 3; ++table) cut = bytes.find("Converged?", cut + 1);
    for (int line = 0; line < 5; ++line) cut = bytes.find('\n', cut) + 1;
    testing::TempDir dir;
    const auto steps = allSteps(dir.write("cut.log", bytes.substr(0, cut)));
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps.back().atoms.size(), 20u);
    ASSERT_TRUE(steps.back().criteria);
    EXPECT_EQ((*steps.back().criteria)[3].value, 0.002256);
}

constexpr const char* kBlockHead =
    " ---------------------------------------------------------------------\n"
    " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
    " Number     Number       Type             X           Y           Z\n"
    " ---------------------------------------------------------------------\n";
constexpr const char* kRuler =
    " ---------------------------------------------------------------------\n";

std::string block(const char* heading, const std::string& rows) {
    return std::string("                         ") + heading + "\n" + kBlockHead + rows + kRuler;
}

std::string table(const char* met) {
    return std::string("         Item               Value     Threshold  Converged?\n") +
           " Maximum Force            0.000010     0.000450     " + met + "\n" +
           " RMS     Force            0.000010     0.000300     " + met + "\n" +
           " Maximum Displacement     0.000010     0.001800     " + met + "\n" +
           " RMS     Displacement     0.000010     0.001200     " + met + "\n";
}

// Made-up files: which geometry a step takes, and the blocks that are none.
TEST(Steps, GeometryOfEachStepAndBrokenBlocks) {
    const std::string o1 =
        "      1          8           0        0.000000    0.000000    0.117790\n";
    const std::string o2 =
        "      1          8           0        1.000000    0.000000    0.117790\n";
    const std::string h =
        "      2          1           0        0.000000    0.757000   -0.471160\n";
    StepReader reader;
    auto steps = reader.feed(
        // 1: the standard orientation wins over the input orientation printed after it.
        block("Standard orientation:", o1 + h) + block("Input orientation:", o2 + h) +
        " SCF Done:  E(RB3LYP) =  -76.40 A.U.\n" + table("NO") +
        // 2: only an input orientation; a block with an unreadable row is none.
        block("Input orientation:", o2 + h) + block("Standard orientation:", o1 + "  junk\n") +
        table("YES") +
        // 3: no geometry printed since step 2, settled by the end of the file.
        table("NO"));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].orientation, Orientation::Standard);
    EXPECT_EQ(steps[0].atoms.at(0).x, 0.0);
    EXPECT_EQ(steps[0].energy, -76.40);
    EXPECT_FALSE(steps[0].converged);
    EXPECT_EQ(steps[1].orientation, Orientation::Input);
    EXPECT_EQ(steps[1].atoms.at(0).x, 1.0);
    EXPECT_EQ(steps[1].atoms.at(1).symbol, "H");
    EXPECT_FALSE(steps[1].energy);
    EXPECT_TRUE(steps[1].converged);
    steps = reader.finish();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].number, 3);
    EXPECT_FALSE(steps[0].orientation);
    EXPECT_TRUE(steps[0].atoms.empty());
    // A block cut off by other lines is none, and those lines still count.
    steps = reader.feed("                         Standard orientation:\n" +
                        std::string(kBlockHead) + o1 + " SCF Done:  E(RB3LYP) =  -76.5 A.U.\n" +
                        table("NO") + "    Optimization completed.\n");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_FALSE(steps[0].orientation);
    EXPECT_EQ(steps[0].energy, -76.5);
    EXPECT_TRUE(steps[0].converged);
    EXPECT_TRUE(reader.completed());
    // An IRC point after a geometry of its own is a step, handed back at once.
    steps = reader.feed(block("Input orientation:", o1 + h) +
                        " Point Number:   4          Path Number:   2\n");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].ircPoint, 4);
    EXPECT_EQ(steps[0].ircPath, 2);
    EXPECT_FALSE(steps[0].criteria);
    EXPECT_EQ(reader.steps(), 5);
}

}  // namespace
}  // namespace zerlant
