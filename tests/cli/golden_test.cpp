// Every reviewed expected table of tests/golden/extract against what
// `zerlant-cli extract --all` gives for that file today.  The tables are
// written by scripts/update-golden.sh and reviewed as data: a change of any
// cell of any real output shows up here as a diff to look at.

#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
