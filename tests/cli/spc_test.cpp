// plot --boltzmann on an ensemble with a duplicate.  (thermo with single
// points: data/scenarios.json.)

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

// The real outputs under the names a user gives a frequency job and its
// single points.
bool copyData(const TempDir& dir, const std::vector<std::pair<std::string, std::string>>& files) {
    const std::filesystem::path data = zerlant::testing::dataDir();
    if (data.empty())
        return false;
    for (const auto& [from, to] : files) {
        std::filesystem::create_directories((dir.path() / to).parent_path());
        if (!std::filesystem::exists(data / from) ||
            !std::filesystem::copy_file(data / from, dir.path() / to))
            return false;
    }
    return true;
}

}  // namespace

// A copy of a conformer is its duplicate: it weighs nothing, and the
// weighted sum is the one file's curve.
TEST(CliPlotBoltzmann, DuplicateWeighsNothing) {
    TempDir dir;
    if (!copyData(dir, {{"cclib_g09_dvb_ir.out", "a.out"}, {"cclib_g09_dvb_ir.out", "b.out"}}))
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    CliRun r = zerlant::testing::runCli(dir, "plot ir a.out b.out -o sum.csv --boltzmann E");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("b.out: C10H10, population 0 (duplicate of a.out)"), std::string::npos)
        << r.err;
    r = zerlant::testing::runCli(dir, "plot ir a.out -o one.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto sum = linesOf(readAll(dir.path() / "sum.csv"));
    const auto one = linesOf(readAll(dir.path() / "one.csv"));
    ASSERT_EQ(sum.size(), one.size());
    EXPECT_EQ(sum[0], "wavenumber_cm-1,ir_intensity_km_mol");
    EXPECT_EQ(std::vector<std::string>(sum.begin() + 1, sum.end()),
              std::vector<std::string>(one.begin() + 1, one.end()));
    r = zerlant::testing::runCli(dir, "plot ir --boltzmann a.out b.out -o x.csv");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--boltzmann takes E, G or qhG, not 'a.out'"), std::string::npos) << r.err;
}
