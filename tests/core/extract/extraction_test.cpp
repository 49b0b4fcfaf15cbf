// The Extract run over several files at once: ticked and unticked rows,
// failed, unreadable and hand-made files, the export table, cancelling, and
// that reading never changes a file.  The row and block of each real output
// alone are the reviewed tables of tests/golden/extract.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/common/expectedtable.hpp"
#include "core/extract/extraction.hpp"
#include "core/results/exporttable.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

namespace fs = std::filesystem;

FileRows listOf(const std::vector<fs::path>& files) {
    FileRows rows(1);
    rows[0].name = "Files";
    for (const auto& f : files) rows.push_back({true, f.filename().string(), f.string(), {}});
    return rows;
}

ExtractionOutcome run(const FileRows& rows, char sep = '.') {
    return runExtraction(rows, ExtractBoxes::initial(testing::numberedMessage),
                         testing::numberedMessage, sep);
}

// A failed file, a scan job, an unticked and an unreadable file, a job file,
// the ticked heading row and two good files in one run.
TEST(ExtractionRun, SeveralFilesAtOnce) {
    ZERLANT_DATA_FILE(failed, "aqme_g09_Basis_set_error1.log");
    ZERLANT_DATA_FILE(scan, "rmg_g03_frozen_scan.log");
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");
    ZERLANT_DATA_FILE(noMulliken, "rmg_g09_water.out");
    ZERLANT_DATA_FILE(upper, "rmg_g09_B2PLYP.LOG");
    testing::TempDir dir;
    FileRows rows = listOf({dir.write("job.gjf", "# hf\n"), failed, scan, water, water,
                            dir.file("missing.log"), noMulliken, upper});
    rows[0].checked = true;   // the heading row: never a file
    rows[4].checked = false;  // the first copy of the water job
    std::vector<std::size_t> seen;
    ExtractionOutcome out =
        runExtraction(rows, ExtractBoxes::initial(testing::numberedMessage),
                      testing::numberedMessage, '.', [&](std::size_t i, const std::string&) {
                          seen.push_back(i);
                          return true;
                      });
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 5, 6, 7, 8}));
    EXPECT_EQ(out.untick, std::vector<std::size_t>{3});
    EXPECT_TRUE(out.scanMet);
    ASSERT_EQ(out.unreadable.size(), 1u);
    EXPECT_NE(out.unreadable[0].find("missing.log"), std::string::npos);

    // The failed file is a row of Error; the file without a Mulliken block
    // takes the archive's stoichiometry, misses the energy of an optimisation
    // without "SCF Done:", and "|Dipole=0.,0.,0." gives 0 debye.
    testing::expectTable(out.resultTable, "core/extract/several_result.tsv");
    // An Error row, the water block of 7 rows, an Error row, then the block of
    // the file without Mulliken block: missing, nothing carried over.
    EXPECT_EQ(out.detail.contadorficheros, 5u);
    testing::expectTable(out.detail.table, "core/extract/several_detail.tsv");

    // The export with the file name, the status and the Mulliken block.
    ExtractBoxes boxes = ExtractBoxes::initial(testing::numberedMessage);
    boxes.setAll(false);
    boxes[ExtractBox::File].ticked = true;
    boxes[ExtractBox::Status].ticked = true;
    boxes[ExtractBox::Mulliken].ticked = true;
    testing::expectTable(prepararexportacion(out.resultTable, out.detail.table, boxes),
                         "core/extract/several_export.tsv");
}

TEST(ExtractionRun, MultiStepJobsAndFailuresOfTheArchive) {
    ZERLANT_DATA_FILE(l913, "rmg_g09_l913.out");
    testing::TempDir dir;
    const std::string archive =
        " 1\\1\\GINC\\SP\\RHF\\STO-3G\\H2\\ME\\01-Jan-2024\\0\\\\# "
        "hf/sto-3g\\\\t\\\\0,1\\H,0.,0.,0."
        "\\H,0.,0.,0.74\\\\Version=x\\HF=-1.1\\\\@\n";
    const std::string good = "Normal termination of Gaussian\n" + archive;
    std::string badCharge = good;
    badCharge.replace(badCharge.find("0,1"), 3, "0,x");
    // A solvation job without "|Dipole=": the dipole total and the solvent's
    // "Eps=" stand before grid lines ("NTot=") and a step limit ("steps="),
    // which are not they.
    std::string solvated = good;
    solvated.replace(solvated.find("hf/sto-3g"), 9, "hf/sto-3g scrf=(solvent=water)");
    solvated =
        " Solvent : Water, Eps=  78.355300 Eps(inf)=   1.777849\n"
        "    X=  0.0000  Y=  0.0000  Z=  1.2500  Tot=      1.2500\n"
        " NRdTot=  744 NPtTot=  93780 NUsed=  99157 NTot=  99189\n"
        " Number of steps in this run=  20 maximum allowed number of steps=  120.\n" +
        solvated;
    // A relaxed scan's archive holds a list of energies under "HF=".
    std::string relaxed = good;
    relaxed.replace(relaxed.find("hf/sto-3g"), 9, "hf/sto-3g opt=modredundant");
    relaxed.replace(relaxed.find("HF=-1.1"), 7, "HF=-1.1,-1.2");
    FileRows rows =
        listOf({l913, dir.write("good.log", good),
                dir.write("noarchive.log", "Normal termination of Gaussian\n"),
                dir.write("noat.log", "Normal termination\n 1\\1\\a\\b\\c\\d\\e\\f\n"),
                dir.write("short.out", "Normal termination\n 1\\1\\a\\b\\c\\\\d@\n"),
                dir.write("charge.out", badCharge), dir.write("empty.log", ""),
                dir.write("solvated.log", solvated), dir.write("relaxed.log", relaxed)});
    // l913.out: its first step ended normally, the second failed: "OK", the
    // first step's time, no solvent ("SCRF=Check" prints only "steps=  120.").
    // The damaged archives are rows of Error; the solvated job's dipole and
    // "Eps=" are not the grid's "NTot=" nor the step limit's "steps="; the
    // relaxed scan's list of energies under "HF=" gives no energy, not 0.
    ExtractionOutcome out = run(rows);
    testing::expectTable(out.resultTable, "core/extract/archive_result.tsv");
    EXPECT_TRUE(out.unreadable.empty());
}

TEST(ExtractionRun, ReadingLeavesEveryFileUnchanged) {
    const fs::path data = testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    std::vector<fs::path> files;
    for (const char* name :
         {"goodvibes_g09_H2O.log", "goodvibes_g16_TolS.log", "rmg_g03_frozen_scan.log",
          "aqme_g09_MeOH_SCF_error.log", "cclib_g09_Trp_polar.log"})
        if (fs::exists(data / name))
            files.push_back(data / name);
    std::vector<std::string> before;
    std::vector<fs::file_time_type> times;
    for (const auto& f : files) {
        before.push_back(testing::readAll(f));
        times.push_back(fs::last_write_time(f));
    }
    ExtractionOutcome out = run(listOf(files));
    EXPECT_GE(out.resultTable.rows(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(testing::readAll(files[i]), before[i]) << files[i];
        EXPECT_EQ(fs::last_write_time(files[i]), times[i]) << files[i];
    }
}

TEST(ExtractionRun, EmptyListsAndCancelling) {
    // No ticked row: only the title row.
    FileRows rows = listOf({"a.log", "b.out"});
    rows[1].checked = rows[2].checked = false;
    ExtractionOutcome out = run(rows);
    EXPECT_EQ(out.resultTable.rows(), 1u);
    EXPECT_FALSE(out.scanMet);
    EXPECT_EQ(out.detail.table.rows(), 0u);

    // Names: any case of .out/.log; a name shorter than four characters is not.
    EXPECT_TRUE(isOutputFileName("a.OUT"));
    EXPECT_TRUE(isOutputFileName("x.Log"));
    EXPECT_FALSE(isOutputFileName("log"));
    EXPECT_FALSE(isOutputFileName("a.gjf"));

    // Cancelled at the second file: no tables.
    testing::TempDir dir;
    rows = listOf({dir.write("a.log", "x"), dir.write("b.log", "y")});
    std::size_t calls = 0;
    out = runExtraction(rows, ExtractBoxes::initial(testing::numberedMessage),
                        testing::numberedMessage, '.',
                        [&](std::size_t, const std::string&) { return ++calls < 2; });
    EXPECT_TRUE(out.cancelled);
    EXPECT_EQ(out.resultTable.rows(), 0u);
}

}  // namespace
}  // namespace zerlant
