// Quoting in the separated text export: only cells that would split or shift
// a row are quoted.

#include "core/results/textexport.hpp"
#include "core/results/tidyexport.hpp"

#include "testsupport.hpp"

using namespace zerlant;

TEST(TextExport, CellsThatWouldSplitARowAreQuoted) {
    for (const auto& c : zerlant::testing::caseRecords("core/results/quoting_cases.tsv")) {
        // Written twice in a row: a quoted first cell shifts nothing either;
        // an empty last cell writes nothing, not even its separator.
        const std::string &cell = c["cell"], &sep = c["separator"], &written = c["written"];
        Table t(2, 1);
        t.set(0, 0, cell.empty() ? "x" : cell);
        t.set(1, 0, cell);
        EXPECT_EQ(exportTextBytes(t, sep, "\n"),
                  cell.empty() ? "x\n" : written + sep + written + "\n")
            << c.source;
    }
}

namespace zerlant {
namespace {

// One record, written for the window (decimal comma, its own N/A text) and
// for scripts ("." decimals, missing values empty); a failed file keeps its
// name, its status and its job health.
TEST(ExtractRecord, WrittenForTheWindowAndForScripts) {
    ExtractRecord r;
    r.file = "a,b.log";
    r.ok = true;
    r.basis = "6-31G(d,p)";
    r.energy = -76.4089;
    r.cpuTime = CpuTime{0, 0, 0, 5.6};
    r.health = JobHealth{"", 1, -120.5, std::nullopt, false};

    Table shown(kResultColumns, 2);
    writeResultRow(shown, 1, r, CellFormat{',', "N/D", "s\xc3\xad", "no"});
    const std::pair<ExtractBox, const char*> window[] = {{ExtractBox::File, "a,b.log"},
                                                         {ExtractBox::Basis, "6-31G(d,p)"},
                                                         {ExtractBox::Energy, "-76,4089"},
                                                         {ExtractBox::Homo, "N/D"},
                                                         {ExtractBox::CpuTime, "0:0:5,6"},
                                                         {ExtractBox::Status, "OK"},
                                                         {ExtractBox::Reason, ""},
                                                         {ExtractBox::ImaginaryCount, "1"},
                                                         {ExtractBox::LowestFrequency, "-120,5"},
                                                         {ExtractBox::SpinSquared, "N/D"},
                                                         {ExtractBox::Converged, "no"}};
    for (const auto& [box, text] : window)
        EXPECT_EQ(shown.cell(extractQuantity(box).column, 1), text) << extractQuantity(box).key;

    ExtractBoxes boxes;
    for (ExtractBox b : {ExtractBox::File, ExtractBox::Basis, ExtractBox::Energy, ExtractBox::Homo,
                         ExtractBox::CpuTime, ExtractBox::Converged})
        boxes[b].ticked = true;
    ExtractRecord failed;
    failed.file = "bad.log";
    failed.health = JobHealth{"l502: Convergence failure -- run terminated.", {}, {}, {}, {}};
    const std::vector<ExtractRecord> records{r, failed};
    EXPECT_EQ(tidyCsv(TidyResults{records}, boxes),
              "file,basis,energy,homo,cputime,converged\r\n"
              "\"a,b.log\",\"6-31G(d,p)\",-76.4089,,0:0:5.6,no\r\n"
              "bad.log,,,,,\r\n");

    writeResultRow(shown, 1, failed, CellFormat{'.', "N/A"});
    EXPECT_EQ(shown.cell(1, 1), "Error");
    EXPECT_EQ(shown.cell(extractQuantity(ExtractBox::Status).column, 1), "KO");
    EXPECT_EQ(shown.cell(extractQuantity(ExtractBox::Reason).column, 1),
              "l502: Convergence failure -- run terminated.");
}

}  // namespace
}  // namespace zerlant
