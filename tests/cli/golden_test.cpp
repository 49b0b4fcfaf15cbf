// Every reviewed expected table of tests/golden/extract against what
// `zerlant-cli extract --all` gives for that file today.  The tables are
// written by scripts/update-golden.sh and reviewed as data: a change of any
// cell of any real output shows up here as a diff to look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using zerlant::testing::readAll;

// The first line where two texts differ, for the failure message.
std::string firstDifference(const std::string& want, const std::string& got) {
    const auto a = zerlant::testing::linesOf(want);
    const auto b = zerlant::testing::linesOf(got);
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "<none>";
        const std::string y = i < b.size() ? b[i] : "<none>";
        if (x != y)
            return "line " + std::to_string(i + 1) + "\n  expected: " + x + "\n  got:      " + y;
    }
    return "same lines, different line ends";
}

TEST(GoldenExtract, EveryFileGivesItsReviewedTable) {
    const fs::path golden = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/extract";
    const fs::path data = zerlant::testing::dataDir();
    std::vector<fs::path> expected;
    for (const auto& e : fs::directory_iterator(golden))
        if (e.path().extension() == ".txt")
            expected.push_back(e.path());
    std::sort(expected.begin(), expected.end());
    ASSERT_FALSE(expected.empty());

    zerlant::testing::TempDir dir;
    std::size_t checked = 0;
    for (const fs::path& want : expected) {
        const std::string name = want.stem().string();
        fs::path input = fs::path(ZERLANT_SOURCE_DIR) / "examples" / name;
        if (!fs::exists(input))
            input = data.empty() ? fs::path() : data / name;
        if (input.empty() || !fs::exists(input))
            continue;  // the real data folder is absent here
        const auto r =
            zerlant::testing::runCli(dir, "extract --all --lang English '" + input.string() + "'");
        const std::string table = readAll(want);
        EXPECT_EQ(r.out, table) << name << ": " << firstDifference(table, r.out);
        ++checked;
    }
    if (checked < expected.size())
        std::printf("checked %zu of %zu tables (real data absent)\n", checked, expected.size());
}

// The job-health columns of every real output, one reviewed table; and
// every job that ends in "Error termination" is given a reason naming the
// failing link ("l502: ...", "l9999").
TEST(GoldenExtract, JobHealthOfEveryRealOutput) {
    const fs::path want = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/jobhealth.txt";
    const fs::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    const std::string table = readAll(want);
    const auto rows = zerlant::testing::linesOf(table);
    ASSERT_GT(rows.size(), 1u);
    std::string files;
    std::size_t failed = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string name = rows[i].substr(0, rows[i].find(';'));
        files += " '" + (data / name).string() + "'";
        if (readAll(data / name).find("Error termination") == std::string::npos)
            continue;
        ++failed;
        const auto cells = zerlant::testing::linesOf(rows[i] + ";", ";");
        ASSERT_GE(cells.size(), 3u) << rows[i];
        EXPECT_TRUE(cells[2].size() > 1 && cells[2][0] == 'l' && std::isdigit(cells[2][1]))
            << name << ": " << cells[2];
    }
    EXPECT_GT(failed, 10u);
    zerlant::testing::TempDir dir;
    const auto r = zerlant::testing::runCli(dir,
                                            "extract --lang English -j 1 --select "
                                            "file,status,reason,nimag,lowest_freq,s2,converged" +
                                                files);
    EXPECT_EQ(r.out, table) << firstDifference(table, r.out);
}

// The dipole column converts the archive's atomic units to debye; where the
// file also prints the total in debye for the same density (" ... Tot=
// 2.0615", four decimals), the two agree to the printed precision.  Values
// further apart than 1e-3 D belong to another density (an MP2 or fitted
// dipole printed later) and are not compared.
TEST(GoldenExtract, DipoleAgreesWithThePrintedTotal) {
    const fs::path golden = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/extract";
    const fs::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    std::size_t compared = 0;
    for (const auto& e : fs::directory_iterator(golden)) {
        const fs::path input = data / e.path().stem();
        if (!fs::exists(input))
            continue;
        const auto rows = zerlant::testing::linesOf(readAll(e.path()));
        if (rows.size() < 2)
            continue;
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t at; (at = rows[1].find(';', from)) != std::string::npos; from = at + 1)
            cells.push_back(rows[1].substr(from, at - from));
        if (cells.size() < 12)
            continue;
        char* end = nullptr;
        const double dipole = std::strtod(cells[11].c_str(), &end);
        if (end == cells[11].c_str() || *end)
            continue;
        const std::string text = readAll(input);
        std::size_t tot = text.rfind("Tot=");
        while (tot != std::string::npos && tot > 0 &&
               std::isalpha(static_cast<unsigned char>(text[tot - 1])))
            tot = text.rfind("Tot=", tot - 1);
        if (tot == std::string::npos)
            continue;
        const double printed = std::strtod(text.c_str() + tot + 4, nullptr);
        if (std::abs(dipole - printed) > 1e-3)
            continue;
        EXPECT_NEAR(dipole, printed, 0.5e-4 + 1e-9) << e.path().stem();
        ++compared;
    }
    EXPECT_GT(compared, 50u);
}

// A run over many files, in every output format, read on several threads:
// the rows go out as the files are read, and each output (with the run's
// exit status and standard error) is byte for byte the reviewed one of
// tests/golden/stream, written by its update.sh.
TEST(GoldenExtract, EveryFormatOfARunOfManyFiles) {
    const fs::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    const fs::path golden = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/stream";
    const std::string examples = (fs::path(ZERLANT_SOURCE_DIR) / "examples").string() + "/";
    std::string files;
    for (std::string name : zerlant::testing::linesOf(readAll(golden / "files.txt"))) {
        if (name.starts_with("DATA/"))
            name = (data / name.substr(5)).string();
        else if (name.starts_with("EXAMPLES/"))
            name = examples + name.substr(9);
        files += " '" + name + "'";
    }
    const auto runs = zerlant::testing::caseRows("golden/stream/runs.tsv");
    ASSERT_GE(runs.size(), 5u);
    for (const auto& run : runs) {
        ASSERT_EQ(run.size(), 3u);
        const std::string& want = run[0];
        zerlant::testing::TempDir dir;
        std::string args = run[2];
        const std::string ext = want.substr(want.rfind('.'));
        const std::string out = dir.file("out" + ext);
        const std::size_t at = args.find("OUT" + ext);
        const bool toFile = at != std::string::npos;
        if (toFile)
            args.replace(at, 3 + ext.size(), "'" + out + "'");
        const auto r = zerlant::testing::runCli(dir, "extract " + args + files);
        const std::string got = toFile ? readAll(out) : r.out;
        const std::string expected = readAll(golden / want);
        EXPECT_EQ(got, expected) << want << ": " << firstDifference(expected, got);
        EXPECT_EQ(std::to_string(r.status), run[1]) << want;
        std::string err = r.err;
        for (const std::string& folder : {data.string() + "/", examples})
            for (std::size_t at; (at = err.find(folder)) != std::string::npos;)
                err.replace(at, folder.size(), folder == examples ? "EXAMPLES/" : "DATA/");
        EXPECT_EQ(err, readAll(golden / (want + ".err"))) << want;
    }
}

}  // namespace
