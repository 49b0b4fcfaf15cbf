#include "core/scan/scanrun.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/common/expectedtable.hpp"
#include "core/results/scanaimexport.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using ::zerlant::testing::expectTable;
using ::zerlant::testing::readAll;
using ::zerlant::testing::TempDir;

std::string caption(int n) {
    static const std::map<int, std::string> texts = {
        {58, "File"},    {69, "Formula"},   {70, "Method"}, {71, "Basis"},
        {162, "Charge"}, {160, "CPU time"}, {72, "Status"}};
    return texts.count(n) ? texts.at(n) : "?";
}
const std::vector<std::string> kCaptions = {"File",   "Formula",  "Method", "Basis",
                                            "Charge", "CPU time", "Status"};

FileRows listOf(const std::vector<std::pair<std::string, std::string>>& files) {
    FileRows rows{FileRow{false, "Files", "", ""}};
    for (const auto& [name, path] : files) rows.push_back(FileRow{true, name, path, ""});
    return rows;
}

std::vector<std::string> cells(const Table& t, std::size_t r, std::size_t from, std::size_t to) {
    std::vector<std::string> out;
    for (std::size_t c = from; c <= to; ++c) out.push_back(t.cell(c, r));
    return out;
}

// A normally terminated output with the given route and summary lines (LF
// line ends, "\" in the archive as Gaussian writes it).
std::string scanLog(const std::string& route, const std::vector<std::string>& summary) {
    std::string s = " Entering Gaussian System\n #P " + route + "\n";
    s += " Summary of the potential surface scan:\n";
    for (const auto& line : summary) s += line + "\n";
    s += " 1\\1\\GINC-HOST\\Scan\\RHF\\STO-3G\\H2\\ME\\06-Dec-2026\\0\\\\#P " + route +
         "\\\\title\\\\0,1\\H\\H,1,R\\\\R=0.7,s,2,0.1\\\\Version=x\\HF=-1.1\\\\@\n";
    s += " Job cpu time:       0 days  0 hours  0 minutes  2.5 seconds.\n";
    s += " Normal termination of Gaussian 16\n";
    return s;
}

TEST(ScanRun, RealRigidScanGivesEveryPointInOrder) {
    ZERLANT_DATA_FILE(path, "cclib_g16_dvb_scan_unrelaxed.log");
    const std::string before = readAll(path);
    auto run = runScan(listOf({{"dvb.log", path.string()}}), caption, '.');
    ASSERT_TRUE(run);
    EXPECT_EQ(readAll(path), before);  // reading never writes
    EXPECT_TRUE(run->untick.empty());
    EXPECT_FALSE(run->nonScanMet);
    expectTable(run->table, "core/scan/dvb_scan_table.tsv");
}

TEST(ScanRun, SeveralFilesFailedAndNonScanJobs) {
    ZERLANT_DATA_FILE(dvb, "cclib_g16_dvb_scan_unrelaxed.log");
    ZERLANT_DATA_FILE(pes, "cclibdata_g09_water-pes.g09");
    ZERLANT_DATA_FILE(frozen, "rmg_g03_frozen_scan.log");
    ZERLANT_DATA_FILE(relaxed, "arc_g03_H2O2.out");
    ZERLANT_DATA_FILE(unfinished, "aqme_g09_CH2OH2_unfinished.log");
    TempDir dir;
    std::filesystem::copy_file(pes, dir.path() / "water-pes.log");
    const std::string gjf = dir.write("job.gjf", "#P HF/STO-3G Scan\n\nNormal termination\n");

    auto run = runScan(listOf({{"dvb.log", dvb.string()},
                               {"relaxed.out", relaxed.string()},
                               {"water-pes.log", dir.file("water-pes.log")},
                               {"unfinished.log", unfinished.string()},
                               {"job.gjf", gjf},
                               {"frozen.LOG", frozen.string()}}),
                       caption, ',');
    ASSERT_TRUE(run);
    // The copy is writable, and still left byte for byte as it was.
    EXPECT_EQ(readAll(dir.path() / "water-pes.log"), readAll(pes));
    // The relaxed (opt=modredundant) scan is not a scan job: unticked, 133.
    EXPECT_EQ(run->untick, (std::vector<std::size_t>{2}));
    EXPECT_TRUE(run->nonScanMet);
    EXPECT_TRUE(run->failures.empty());
    expectTable(run->table, "core/scan/several_scans_table.tsv");
}

TEST(ScanRun, SummaryLayoutRules) {
    TempDir dir;
    // First fields as whole numbers, halves to even; a number beyond 16 bits
    // stays as it is; more than 14 fields do not fail (the rest is dropped);
    // a numeric title field is a whole number too.
    std::string b = dir.write(
        "b.log",
        scanLog("HF/STO-3G Scan", {"   1.5  X  Y", "   2.5   a", "   3.5   b", "   40000   c",
                                   "   -2.5 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "   end"}));
    auto run = runScan(listOf({{"b.log", b}}), caption, '.');
    ASSERT_TRUE(run);
    expectTable(run->table, "core/scan/first_fields_table.tsv");

    // A later file's titles replace the whole of the previous file's last
    // stored line, also where that line had more fields than the titles.  A
    // further line after the closing dashes is the last stored line and is
    // dropped.  A summary with no stored line leaves no trace, even after
    // another file; an unreadable file is reported and leaves no trace either.
    std::string leave = dir.write(
        "leave.log", scanLog("HF/STO-3G Scan", {"   N  R", " ----", "   1  0.7", "   2  0.8",
                                                " Leave Link 108 at Thu May 28 2020"}));
    std::string a = dir.write(
        "a.log", scanLog("HF/STO-3G Scan", {"   N      R1          SCF", " ----  ------  -------",
                                            "   01   0.7000   -1.11", "   2   0.8000   -1.13",
                                            " ----  ------  -------", " further text"}));
    std::string empty = dir.write("empty.log", scanLog("HF/STO-3G Scan", {" ----", ""}));
    run = runScan(listOf({{"leave.log", leave},
                          {"a.log", a},
                          {"empty.log", empty},
                          {"gone.log", dir.file("gone.log")}}),
                  caption, '.');
    ASSERT_TRUE(run);
    expectTable(run->table, "core/scan/later_titles_table.tsv");
    ASSERT_EQ(run->failures.size(), 1u);
    EXPECT_EQ(run->failures[0].path, dir.file("gone.log"));
}

TEST(ScanRun, OnlyNonScanJobsAndCancelling) {
    TempDir dir;
    std::string sp1 = dir.write("sp1.log", scanLog("HF/STO-3G SP", {"   N  R", "   1  0.7", ""}));
    std::string sp2 = dir.write("sp2.out", scanLog("HF/STO-3G", {}));
    FileRows rows = listOf({{"sp1.log", sp1}, {"sp2.out", sp2}});
    auto run = runScan(rows, caption, '.');
    ASSERT_TRUE(run);
    EXPECT_EQ(run->untick, (std::vector<std::size_t>{1, 2}));
    EXPECT_TRUE(run->nonScanMet);
    // Nothing stored: the title row of capitalised captions stays.
    ASSERT_EQ(run->table.rows(), 1u);
    EXPECT_EQ(cells(run->table, 0, 0, 7),
              (std::vector<std::string>{"FILE", "FORMULA", "METHOD", "BASIS", "CHARGE", "CPU TIME",
                                        "STATUS", ""}));

    std::vector<std::string> seen;
    EXPECT_FALSE(runScan(rows, caption, '.', [&](std::size_t, const std::string& name) {
        seen.push_back(name);
        return name != "sp2.out";
    }));
    EXPECT_EQ(seen, (std::vector<std::string>{"sp1.log", "sp2.out"}));

    // Captions of other languages in capitals too.
    EXPECT_EQ(upperCaption("Método ñ ÷"), "MÉTODO Ñ ÷");
}

}  // namespace
}  // namespace zerlant
