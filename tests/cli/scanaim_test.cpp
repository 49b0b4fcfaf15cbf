// The spreadsheet output of the reading commands, and every real file
// through them.  (Their tables and failures: data/scenarios.json.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
using zerlant::testing::zipPart;
namespace fs = std::filesystem;

TEST(CliScanAim, AimToASpreadsheet) {
    if (!zerlant::testing::haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TempDir dir;
    CliRun r = runCli(dir, "aim --decimal-separator , -o bcp.xlsx " + example("water.sum"));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string sheet = zipPart(dir.file("bcp.xlsx"), "xl/worksheets/sheet1.xml");
    // Rho of the first bond critical point as a number with a decimal point,
    // though the table was written with a decimal comma.
    std::size_t c2 = sheet.find("<c r=\"C2\"");
    ASSERT_NE(c2, std::string::npos) << sheet;
    EXPECT_EQ(sheet.find("<v>0.3601</v>"), sheet.find("<v>", c2)) << sheet;
}

TEST(CliScanAim, ExtractWritesASpreadsheetToo) {
    if (!zerlant::testing::haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    ZERLANT_DATA_FILE(path, "cclib_g16_water_ccsd.log");
    TempDir dir;
    CliRun r = runCli(dir, "extract -o jobs.xlsx '" + path.string() + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string strings = zipPart(dir.file("jobs.xlsx"), "xl/sharedStrings.xml");
    EXPECT_NE(strings.find("cclib_g16_water_ccsd.log"), std::string::npos) << strings;
}

// Every file of the data folder through each reading command: no crash, an
// exit status of 0 or 1, and from extract a row for every output.
TEST(CliScanAim, EveryFileOfTheDataFolderWithoutACrash) {
    ZERLANT_DATA_FILE(data, "");
    std::size_t outputs = 0;
    for (const auto& e : fs::directory_iterator(data))
        for (const char* ext : {".log", ".out", ".LOG"}) outputs += e.path().extension() == ext;
    TempDir dir;
    for (const char* tool : {"scan", "aim", "extract"}) {
        CliRun r = runCli(dir, std::string(tool) + " --all '" + data.string() + "'/*");
        EXPECT_TRUE(r.status == 0 || r.status == 1) << tool << " " << r.status << "\n" << r.err;
        EXPECT_FALSE(r.out.empty()) << tool;
        if (std::string(tool) == "extract") {
            EXPECT_GT(zerlant::testing::linesOf(r.out).size(), outputs);
        }
    }
}

}  // namespace
