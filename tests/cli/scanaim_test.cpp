// zerlant-cli scan and aim, and the spreadsheet output of the reading
// commands, run as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
using zerlant::testing::zipPart;
namespace fs = std::filesystem;

TEST(CliScanAim, ScanToStandardOutputAndToAFile) {
    TempDir dir;
    CliRun r = runCli(dir, "scan --decimal-separator . " + example("scan_water.log"));
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = std::count(r.out.begin(), r.out.end(), '\n');
    EXPECT_EQ(lines, 6);  // title row and five points
    EXPECT_NE(r.out.find("\nscan_water.log;H2O1;hf;6-31G(d);0  1;0:1:12.5;OK;1;0.9000;-75.98012\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n;;;;;;;5;1.1000;-75.97604\n"), std::string::npos);

    // Only some file columns; a non-scan job is reported (message 133) and
    // left out.
    dir.write("sp.log",
              " 1\\1\\GINC\\SP\\RHF\\STO-3G\\H2\\ME\\1-Jan-2026\\0\\\\#P HF/STO-3G\\\\t\\\\0,1\\H"
              "\\H,1,0.7\\\\@\n Normal termination of Gaussian 16\n");
    r = runCli(dir, "scan --select method,status -o table.txt --decimal-separator , sp.log " +
                        example("scan_water.log"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("sp.log"), std::string::npos) << r.err;
    std::string text = readAll(dir.path() / "table.txt");
    std::size_t eol = text.find("\r\n");
    ASSERT_NE(eol, std::string::npos);
    EXPECT_EQ(text.substr(eol - 9, 9), ";N;R1;SCF");
    EXPECT_EQ(text.substr(eol, 28), "\r\nhf;OK;1;0.9000;-75.98012\r\n");

    EXPECT_EQ(runCli(dir, "scan --select nothing x.log").status, 2);
    EXPECT_EQ(runCli(dir, "scan --select file --all x.log").status, 2);
    EXPECT_EQ(runCli(dir, "scan").status, 2);
}

TEST(CliScanAim, AimToASpreadsheetAndFailures) {
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

    // A missing file: the others are still tabulated, exit status 1.
    r = runCli(dir, "aim missing.sum " + example("water.sum"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.sum"), std::string::npos);
    EXPECT_NE(r.out.find("water.sum;(3,-1) BCP O1 H2;"), std::string::npos);

    // A workbook that cannot be written: message 154 and exit status 1.
    r = runCli(dir, "aim -o no/such/folder/bcp.xlsx " + example("water.sum"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no/such/folder/bcp.xlsx"), std::string::npos) << r.err;
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

TEST(CliScanAim, EveryFileOfTheDataFolderWithoutACrash) {
    ZERLANT_DATA_FILE(data, "");
    TempDir dir;
    std::string files = "'" + data.string() + "'/*";
    for (const char* tool : {"scan", "aim"}) {
        CliRun r = runCli(dir, std::string(tool) + " --all " + files);
        EXPECT_TRUE(r.status == 0 || r.status == 1) << tool << " " << r.status << "\n" << r.err;
        EXPECT_FALSE(r.out.empty()) << tool;
    }
}

}  // namespace
