// zerlant-cli extract, run as a user would: the default columns, --select,
// the text file, the decimal separator, the exit statuses, and a run over
// every real Gaussian output.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

CliRun extract(const TempDir& dir, const std::string& arguments) {
    return zerlant::testing::runCli(dir, "extract " + arguments);
}

TEST(CliExtract, DefaultColumnsScanNoticeAndStatus) {
    TempDir dir;
    CliRun r = extract(dir, "--lang English " + example("methane_failed.log") + " " +
                                example("scan_water.log") + " " + example("water_opt_freq.log") +
                                " " + example("water_opt.gjf"));
    // The failed job's KO row fails the run, which still writes every row.
    ASSERT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("methane_failed.log: the job did not end normally"), std::string::npos);
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0], "FILE;FORMULA;METHOD;BASIS SET;STATUS");
    EXPECT_EQ(lines[1], "methane_failed.log;Error;Error;Error;KO");
    EXPECT_EQ(lines[2], "water_opt_freq.log;OH2;b3lyp;6-31G(d);OK");
    EXPECT_NE(r.err.find("Scan jobs were skipped"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("scan_water.log"), std::string::npos);
    EXPECT_NE(r.err.find("water_opt.gjf"), std::string::npos);  // not an output file
}

TEST(CliExtract, SelectedBlocksToATextFileWithDecimalComma) {
    TempDir dir;
    CliRun r = extract(dir,
                       "--lang English --select file,energy,freq "
                       "--decimal-separator , -o table.txt " +
                           example("water_opt_freq.log") + " " + example("formaldehyde_td.out"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto lines = linesOf(readAll(dir.path() / "table.txt"), "\r\n");
    // Per file a title row, then one row per mode (three modes, then the one
    // row of the file without frequencies).
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("FILE;ENERGY;Frequencies;Reduced mass", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("water_opt_freq.log;-76,4089208412;1713,1148;1,0823;", 0), 0u)
        << lines[1];
    EXPECT_EQ(lines[3].rfind(";;3849,2067;1,0816", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4], lines[0]);
    EXPECT_EQ(lines[5].rfind("formaldehyde_td.out;-114,5132697;N/A;N/A", 0), 0u) << lines[5];
}

// (Usage errors and unwritable outputs are lines of cli_forms.txt.)
TEST(CliExtract, UnreadableFiles) {
    TempDir dir;
    // A file that cannot be read gets an "Error" row and exit status 1.
    CliRun r = extract(dir, "--lang English missing.log " + example("water_opt_freq.log"));
    EXPECT_EQ(r.status, 1);
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "missing.log;Error;Error;Error;KO");
    EXPECT_NE(r.err.find("missing.log"), std::string::npos);
}

TEST(CliExtract, EveryRealOutputWithoutACrash) {
    const fs::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    std::string files;
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(data)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".log" || ext == ".out" || ext == ".LOG") {
            files += " '" + entry.path().string() + "'";
            ++count;
        }
    }
    TempDir dir;
    CliRun r = extract(dir, "--all" + files);
    EXPECT_TRUE(r.status == 0 || r.status == 1) << r.status << "\n" << r.err;
    // A title row and at least one row per file but the scan jobs.
    EXPECT_GT(linesOf(r.out).size(), count);
}

}  // namespace
