#include "core/scan/scanrun.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/results/scanaimexport.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

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
    const Table& t = run->table;
    EXPECT_EQ(t.columns(), 21u);

    // The title line replaces the capitalised captions of row 0.
    EXPECT_EQ(cells(t, 0, 0, 6), kCaptions);
    EXPECT_EQ(cells(t, 0, 7, 10), (std::vector<std::string>{"N", "D7", "SCF", ""}));
    // The file's values beside the first point.
    EXPECT_EQ(cells(t, 1, 0, 6), (std::vector<std::string>{"dvb.log", "C10H10", "b3lyp", "sto-3g",
                                                           "0  1", "0:4:47.5", "OK"}));
    // The 13 points, dihedral and energy, in order.
    const char* dihedral[] = {"-180.0000", "-150.0000", "-120.0000", "-90.0000", "-60.0000",
                              "-30.0000",  "-0.0000",   "30.0000",   "60.0000",  "90.0000",
                              "120.0000",  "150.0000",  "180.0000"};
    const char* energy[] = {"-382.29428", "-382.28257", "-382.23933", "-382.16276", "-382.07621",
                            "-381.54635", "-378.37701", "-381.54635", "-382.07621", "-382.16276",
                            "-382.23933", "-382.28257", "-382.29428"};
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(cells(t, i + 1, 7, 10),
                  (std::vector<std::string>{std::to_string(i + 1), dihedral[i], energy[i], ""}));
        if (i > 0) {
            EXPECT_EQ(cells(t, i + 1, 0, 6), std::vector<std::string>(7)) << i;
        }
    }
    // Then, as the summary block runs up to the archive entry: the blank
    // line as an empty row and the "Leave Link" line; the last stored line
    // ("(Enter ...l9999.exe)") is dropped.
    ASSERT_EQ(t.rows(), 16u);
    EXPECT_EQ(cells(t, 14, 0, 20), std::vector<std::string>(21));
    EXPECT_EQ(cells(t, 15, 7, 9), (std::vector<std::string>{"Leave", "Link", "108"}));
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
    const Table& t = run->table;

    // dvb: rows 0..15 as alone; its last stored line (row 16) became the
    // water scan's title row.
    EXPECT_EQ(t.cell(9, 13), "-382.29428");
    const std::size_t w = 16;
    EXPECT_EQ(cells(t, w, 0, 11),
              (std::vector<std::string>{"File", "Formula", "Method", "Basis", "Charge", "CPU time",
                                        "Status", "N", "B", "A", "SCF", ""}));
    EXPECT_EQ(cells(t, w + 1, 0, 6), (std::vector<std::string>{"water-pes.log", "H2O1", "b3lyp",
                                                               "6-31G(d)", "0  1", "0:0:0", "OK"}));
    EXPECT_EQ(cells(t, w + 1, 7, 10),
              (std::vector<std::string>{"1", "0.9000", "90.0000", "-76.39109"}));
    EXPECT_EQ(cells(t, w + 11, 7, 10),
              (std::vector<std::string>{"11", "0.9800", "95.0000", "-76.40682"}));
    EXPECT_EQ(cells(t, w + 30, 7, 10),
              (std::vector<std::string>{"30", "1.0000", "110.0000", "-76.40588"}));
    // Its blank line before the archive (row w + 31) is the last stored line
    // and becomes the frozen scan's title row; the CPU time is written with
    // the decimal separator asked for.
    const std::size_t f = w + 31;
    EXPECT_EQ(cells(t, f, 7, 9), (std::vector<std::string>{"N", "D10", "SCF"}));
    EXPECT_EQ(cells(t, f + 1, 0, 6), (std::vector<std::string>{"frozen.LOG", "C4H8O2", "b3lyp",
                                                               "cbsb7", "0  1", "1:17:55", "OK"}));
    EXPECT_EQ(cells(t, f + 1, 7, 9), (std::vector<std::string>{"1", "-46.4994", "-307.72994"}));
    EXPECT_EQ(cells(t, f + 37, 7, 9), (std::vector<std::string>{"37", "313.5006", "-307.72994"}));
    EXPECT_EQ(t.rows(), f + 38);  // its trailing blank line dropped

    // A 1:17:55.5 time would be written "1:17:55,5"; check the separator on
    // the dvb row.
    EXPECT_EQ(t.cell(5, 1), "0:4:47,5");
}

TEST(ScanRun, SummaryLayoutRules) {
    TempDir dir;
    // Title N R1 SCF, dashes, two points, dashes, a further line: the
    // further line is the last stored line and is dropped.
    std::string a = dir.write(
        "a.log", scanLog("HF/STO-3G Scan", {"   N      R1          SCF", " ----  ------  -------",
                                            "   01   0.7000   -1.11", "   2   0.8000   -1.13",
                                            " ----  ------  -------", " further text"}));
    auto run = runScan(listOf({{"a.log", a}}), caption, '.');
    ASSERT_TRUE(run);
    const Table& t = run->table;
    ASSERT_EQ(t.rows(), 3u);
    EXPECT_EQ(cells(t, 0, 7, 9), (std::vector<std::string>{"N", "R1", "SCF"}));
    EXPECT_EQ(cells(t, 1, 0, 9),
              (std::vector<std::string>{"a.log", "H2", "hf", "STO-3G", "0  1", "0:0:2.5", "OK", "1",
                                        "0.7000", "-1.11"}));
    EXPECT_EQ(cells(t, 2, 7, 9), (std::vector<std::string>{"2", "0.8000", "-1.13"}));

    // First fields as whole numbers, halves to even; a number beyond 16 bits
    // stays as it is; more than 14 fields do not fail (the rest is dropped);
    // a numeric title field is a whole number too.
    std::string b = dir.write(
        "b.log",
        scanLog("HF/STO-3G Scan", {"   1.5  X  Y", "   2.5   a", "   3.5   b", "   40000   c",
                                   "   -2.5 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "   end"}));
    run = runScan(listOf({{"b.log", b}}), caption, '.');
    ASSERT_TRUE(run);
    ASSERT_EQ(run->table.rows(), 5u);
    EXPECT_EQ(cells(run->table, 0, 7, 8), (std::vector<std::string>{"2", "X"}));
    EXPECT_EQ(run->table.cell(7, 1), "2");
    EXPECT_EQ(run->table.cell(7, 2), "4");
    EXPECT_EQ(run->table.cell(7, 3), "40000");
    EXPECT_EQ(cells(run->table, 4, 7, 20),
              (std::vector<std::string>{"-2", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                        "11", "12", "13"}));

    // A summary with no stored line leaves no trace, even after another
    // file; an unreadable file is reported and leaves no trace either.
    std::string empty = dir.write("empty.log", scanLog("HF/STO-3G Scan", {" ----", ""}));
    run = runScan(listOf({{"a.log", a}, {"empty.log", empty}, {"gone.log", dir.file("gone.log")}}),
                  caption, '.');
    ASSERT_TRUE(run);
    EXPECT_EQ(run->table.rows(), 3u);
    EXPECT_EQ(run->table.cell(0, 1), "a.log");
    ASSERT_EQ(run->failures.size(), 1u);
    EXPECT_EQ(run->failures[0].path, dir.file("gone.log"));

    // A later file's titles replace the whole of the previous file's last
    // stored line, also where that line had more fields than the titles.
    std::string leave = dir.write(
        "leave.log", scanLog("HF/STO-3G Scan", {"   N  R", " ----", "   1  0.7", "   2  0.8",
                                                " Leave Link 108 at Thu May 28 2020"}));
    run = runScan(listOf({{"leave.log", leave}, {"a.log", a}}), caption, '.');
    ASSERT_TRUE(run);
    ASSERT_EQ(run->table.rows(), 6u);
    EXPECT_EQ(cells(run->table, 2, 7, 8), (std::vector<std::string>{"2", "0.8"}));
    EXPECT_EQ(cells(run->table, 3, 0, 14),
              (std::vector<std::string>{"File", "Formula", "Method", "Basis", "Charge", "CPU time",
                                        "Status", "N", "R1", "SCF", "", "", "", "", ""}));
    EXPECT_EQ(cells(run->table, 4, 0, 9),
              (std::vector<std::string>{"a.log", "H2", "hf", "STO-3G", "0  1", "0:0:2.5", "OK", "1",
                                        "0.7000", "-1.11"}));
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
