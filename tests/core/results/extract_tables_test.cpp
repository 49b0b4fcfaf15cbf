// The Extract tool's tables: guardardetalle's blocks, the export table built
// from the ticked boxes, the empty-column list and the text export.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/expectedtable.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/textexport.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

ExtractBoxes noBoxes() {
    ExtractBoxes b = ExtractBoxes::initial(testing::numberedMessage);
    b.setAll(false);
    return b;
}

// An "OK" file: `orbitals` eigenvalues, `atoms` Mulliken atoms and as many
// geometry atoms, `modes` frequency modes (found), no polarizability.
FileDetail okFile(std::size_t orbitals, std::size_t atoms, std::size_t modes) {
    FileDetail d;
    for (std::size_t i = 0; i < orbitals; ++i) {
        d.orbitalKinds.push_back({OrbitalSpin::Alpha, OrbitalOccupancy::Occupied});
        d.orbitalSymmetries.push_back("A1");
        d.orbitalEnergies.push_back(-1.0 - static_cast<double>(i));
    }
    for (std::size_t i = 0; i < atoms; ++i) {
        d.mullikenSymbols.push_back(i == 0 ? "O" : "H");
        d.mullikenCharges.push_back(i == 0 ? -0.5 : 0.25);
        d.geometry.push_back({i == 0 ? "O" : "H", "0.0", "0.1", std::to_string(i), "", "", ""});
    }
    d.freqFound = modes > 0;
    for (std::size_t i = 0; i < std::max<std::size_t>(modes, 1); ++i)
        d.frequencies.push_back({1000.5 + static_cast<double>(i), 1.1, 2.2, 3.3, 0, 0, 0});
    d.thermo.push_back({13.5, 6.0, 45.1});
    d.states.push_back({0, 0, 0, 0, 0});
    d.transitionTexts.push_back({"", ""});
    d.transitionNumbers.push_back({0, 0});
    return d;
}

// A ResultTable of n files named f1.log .. fn.log with the status column set.
Table resultTable(const ExtractBoxes& boxes, std::size_t n) {
    Table t = newResultTable(boxes);
    for (std::size_t k = 1; k <= n; ++k) {
        t.set(0, k, "f" + std::to_string(k) + ".log");
        t.set(1, k, "H2O");
        t.set(21, k, "OK");
    }
    return t;
}

TEST(ResultTables, TitlesAreUpperCasedCaptions) {
    ExtractBoxes b = ExtractBoxes::initial(testing::numberedMessage);
    b[ExtractBox::Formula].caption = "fórmula";
    Table t = newResultTable(b);
    ASSERT_EQ(t.columns(), 27u);
    EXPECT_EQ(t.cell(1, 0), "FÓRMULA");
    EXPECT_FALSE(columnaelegida(b, 22));  // the job health: only when chosen
    b.setAll(true);
    EXPECT_FALSE(columnaelegida(b, 22));  // not even by "all"
    EXPECT_TRUE(columnaelegida(b, 21));
    EXPECT_TRUE(columnaelegida(b, 27));  // beyond the ResultTable: always chosen
    EXPECT_TRUE(columnaelegida(b, -1));
}

// Three files: 20 orbital rows, an Error row with 1 in every count column, and
// a block of six rows (the polarizability's six components); the decimal
// separator passed in, message 131 for blocks not found.
TEST(GuardarDetalle, BlocksCountsAndErrorRows) {
    ExtractBoxes boxes = ExtractBoxes::initial(testing::numberedMessage);
    DetailTable d;
    guardardetalle(d, "OK", okFile(20, 3, 3), boxes, testing::numberedMessage, ',');
    guardardetalle(d, "KO", FileDetail{}, boxes, testing::numberedMessage, ',');
    guardardetalle(d, "OK", okFile(2, 3, 0), boxes, testing::numberedMessage, ',');
    EXPECT_EQ(d.contadorficheros, 3u);
    EXPECT_EQ(d.filasdetalle, 27u);
    testing::expectTable(d.table, "core/results/detail_blocks.tsv");
}

// Excited states stand on the row of their first transition, a state without
// transitions on the row after the last; the thermochemistry's rows are named
// by five messages, then one per vibration as Gaussian names them.
TEST(GuardarDetalle, ExcitedStatesStandOnTheRowOfTheirFirstTransition) {
    FileDetail f = okFile(0, 1, 1);
    f.tdFound = true;
    f.states = {{1, 5.1, 241.9, 0.01, 1.5}, {2, 6.2, 199.9, 0.2, -2.5}, {3, 7, 177, 0, 0}};
    f.transitionTexts = {{"1", "5->"}, {"1", "4->"}, {"2", "5->"}, {"2", "3->"}};
    f.transitionNumbers = {{1, 7}, {1, 8}, {2, 9}, {2, 10}};
    f.thermo.resize(7, {1, 2, 3});
    DetailTable d;
    guardardetalle(d, "OK", f, ExtractBoxes::initial(testing::numberedMessage),
                   testing::numberedMessage, '.');
    EXPECT_EQ(d.filasdetalle, 7u);  // the thermochemistry's seven lines
    testing::expectTable(d.table, "core/results/detail_states.tsv");
}

TEST(GuardarDetalle, ListsNeverReachIntoTheNextBlock) {
    // A last state without transitions in a block whose height comes from
    // the transitions alone would fall one row past the block.
    FileDetail f;
    f.tdFound = true;
    f.states.assign(9, {1, 1, 1, 1, 1});
    for (std::size_t i = 0; i < 8; ++i) {
        f.states[i][0] = static_cast<double>(i + 1);
        f.transitionTexts.push_back({std::to_string(i + 1), "1->"});
        f.transitionNumbers.push_back({static_cast<double>(i + 1), 2});
    }
    f.states[8][0] = 9;
    DetailTable d;
    ExtractBoxes boxes = ExtractBoxes::initial(testing::numberedMessage);
    guardardetalle(d, "OK", f, boxes, testing::numberedMessage, '.');
    guardardetalle(d, "KO", FileDetail{}, boxes, testing::numberedMessage, '.');
    EXPECT_EQ(d.filasdetalle, 9u);
    EXPECT_EQ(d.table.cell(31, 8), "8");
    EXPECT_EQ(d.table.cell(31, 9), "Error");  // the next file's block is intact
}

// One title row and one row per file without sub-blocks; a title row and a row
// per mode with the frequencies; six rows for the polarizability and Mulliken
// although the block is 20 high, the next file reading its own block.
TEST(PrepararExportacion, RowsPerFileForTheTickedSubBlocks) {
    ExtractBoxes boxes = noBoxes();
    boxes[ExtractBox::File].ticked = true;
    boxes[ExtractBox::Status].ticked = true;
    DetailTable d;
    guardardetalle(d, "OK", okFile(20, 3, 3), boxes, testing::numberedMessage, '.');
    guardardetalle(d, "KO", FileDetail{}, boxes, testing::numberedMessage, '.');
    guardardetalle(d, "OK", okFile(2, 2, 1), boxes, testing::numberedMessage, '.');
    Table rt = resultTable(boxes, 3);
    rt.set(21, 2, "KO");
    testing::expectTable(prepararexportacion(rt, d.table, boxes), "core/results/export_plain.tsv");
    boxes[ExtractBox::Freq].ticked = true;
    testing::expectTable(prepararexportacion(rt, d.table, boxes), "core/results/export_freq.tsv");
    boxes[ExtractBox::Freq].ticked = false;
    boxes[ExtractBox::Polar].ticked = true;
    boxes[ExtractBox::Mulliken].ticked = true;
    boxes[ExtractBox::File].ticked = false;  // the first column is then the status
    testing::expectTable(prepararexportacion(rt, d.table, boxes),
                         "core/results/export_polar_mulliken.tsv");
}

TEST(PrepararExportacion, MissingCountsAndAnEmptyDetailTableDoNotFail) {
    ExtractBoxes boxes = ExtractBoxes::initial(testing::numberedMessage);
    boxes.setAll(true);
    Table rt = resultTable(boxes, 2);

    // The panel shown again after the run: DetailTable re-created 38 x 2.
    Table e = prepararexportacion(rt, Table(38, 2), boxes);
    ASSERT_EQ(e.rows(), 4u);  // per file a title row and its values
    EXPECT_EQ(e.cell(0, 1), "f1.log");
    EXPECT_EQ(e.cell(0, 2), "M58");
    EXPECT_EQ(e.cell(0, 3), "f2.log");

    // Only the Mulliken block ticked and a file without Mulliken atoms.
    boxes = noBoxes();
    boxes[ExtractBox::File].ticked = true;
    boxes[ExtractBox::Mulliken].ticked = true;
    DetailTable d;
    guardardetalle(d, "OK", okFile(1, 0, 1), boxes, testing::numberedMessage, '.');
    guardardetalle(d, "OK", okFile(1, 0, 1), boxes, testing::numberedMessage, '.');
    e = prepararexportacion(rt, d.table, boxes);
    ASSERT_EQ(e.rows(), 4u);
    EXPECT_EQ(e.cell(0, 1), "f1.log");
    EXPECT_EQ(e.cell(0, 3), "f2.log");

    // No file at all: the table has only its (empty) title row.
    e = prepararexportacion(newResultTable(boxes), Table(), boxes);
    EXPECT_EQ(e.rows(), 1u);
    EXPECT_EQ(columnasvacias(e).size(), std::string(" 0 1 2 3 4 5 6 7 8 9").size() + 45 * 3);
}

TEST(ColumnasVacias, TitlesCountAsContent) {
    Table t(6, 3);
    t.set(0, 0, "a");
    t.set(1, 2, "x");
    t.set(2, 0, "title only");
    t.set(4, 1, "y");
    EXPECT_EQ(columnasvacias(t), " 3 5");
    t.set(3, 2, " ");
    t.set(5, 0, "z");
    EXPECT_EQ(columnasvacias(t), "");
}

TEST(TextExport, LinesFieldsAndFile) {
    Table t(5, 3);
    t.set(0, 0, "FILE");
    t.set(2, 0, "STATUS");
    t.set(0, 1, "a.log");
    t.set(2, 1, "OK");
    t.set(0, 2, "b;c.log");  // quoted
    t.set(2, 2, "1,5");
    t.set(4, 2, "");
    EXPECT_EQ(exportTextBytes(t, ";"), "FILE;STATUS\r\na.log;OK\r\n\"b;c.log\";1,5\r\n");

    // Without column 0 the first written cell is preceded by the separator.
    Table u(3, 2);
    u.set(1, 0, "X");
    u.set(2, 1, "y");
    EXPECT_EQ(exportTextBytes(u, ";"), ";X;\r\n;;y\r\n");
    EXPECT_EQ(exportTextBytes(Table(3, 2), ";"), "\r\n\r\n");

    EXPECT_EQ(exportFileName("/home/me/jobs"), "jobs.txt");
    EXPECT_EQ(exportFileName("/home/me/jobs/"), "jobs.txt");
    EXPECT_EQ(exportFileName("/"), ".txt");

    testing::TempDir dir;
    auto written = exportartexto(t, ";", dir.path().string(), "/data/water runs");
    ASSERT_TRUE(written) << written.error().describe();
    EXPECT_EQ(*written, dir.file("water runs.txt"));
    EXPECT_EQ(testing::readAll(*written), exportTextBytes(t, ";"));
    // A second export replaces the first.
    ASSERT_TRUE(exportartexto(u, ";", dir.path().string(), "/data/water runs"));
    EXPECT_EQ(testing::readAll(*written), ";X;\r\n;;y\r\n");

    // A folder that cannot be written gives the error back.
    auto missing = exportartexto(t, ";", dir.file("no such folder"), "/x/y");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error().describe().find("y.txt"), std::string::npos);
}

}  // namespace
}  // namespace zerlant
