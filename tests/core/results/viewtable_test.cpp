// The results view's tables from the typed records of an Extract run over the
// bundled examples and a few real outputs, against the reviewed cells of
// view_expected.json: per file, the main table's cells by quantity key and
// the first rows of the blocks, as the view writes them (Gaussian's printed
// decimals, the formula in Hill order, units and titles from the language
// file).  ZERLANT_REGENERATE=1 rewrites the file from the code, for review.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "core/extract/extraction.hpp"
#include "core/language/languagefile.hpp"
#include "core/results/viewtable.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using Json = nlohmann::ordered_json;

const std::string kExpected = ZERLANT_SOURCE_DIR "/tests/core/results/view_expected.json";

MessageLookup english() {
    static const LanguageFile file = LanguageFile::fromBytes(
        testing::readAll(ZERLANT_SOURCE_DIR "/resources/idioma.lng"), "idioma.lng");
    return file.lookup("English");
}

// The examples always; the real outputs where the data folder is there.
FileRows inputFiles(const Json& expected) {
    FileRows rows{{false, "", "", {}}};
    const std::filesystem::path data = testing::dataDir();
    for (const auto& [name, _] : expected.items()) {
        std::filesystem::path p = std::filesystem::path(ZERLANT_SOURCE_DIR "/examples") / name;
        if (!std::filesystem::exists(p) && !data.empty())
            p = data / name;
        if (std::filesystem::exists(p))
            rows.push_back({true, name, p.string(), {}});
    }
    return rows;
}

Json cellsOf(const ViewTable& view, std::size_t row, const CellFormat& format) {
    Json cells = Json::object();
    for (std::size_t c = 0; c < view.columns.size(); ++c) {
        std::string title = view.columns[c].title;
        if (!view.columns[c].unit.empty())
            title += " (" + view.columns[c].unit + ")";
        // Titles repeated in a block (the geometry fields) get their number.
        if (cells.contains(title))
            title += " #" + std::to_string(c);
        cells[title] = formatShown(view.cells[row][c], view.columns[c].precision, format);
    }
    return cells;
}

// What the view shows of each file: the main table by key, and the first
// three rows of each block.
Json shown(const ExtractionOutcome& run, const ExtractBoxes& boxes, const MessageLookup& msg) {
    const CellFormat format{'.', msg(MessageId::NotAvailable)};
    Json out = Json::object();
    const ViewTable main = extractMainView(run.records, boxes, msg);
    std::vector<ExtractBox> keys{ExtractBox::File};
    for (std::size_t c = 1; c < kResultColumns; ++c)
        if (boxes.ticked(kResultColumnBoxes[c]))
            keys.push_back(kResultColumnBoxes[c]);
    for (std::size_t r = 0; r < main.rows(); ++r) {
        Json file = Json::object();
        for (std::size_t c = 0; c < keys.size(); ++c) {
            const std::string key(extractQuantity(keys[c]).key);
            file["main"][key] = formatShown(main.cells[r][c], main.columns[c].precision, format);
            if (!main.columns[c].unit.empty())
                file["units"][key] = main.columns[c].unit;
        }
        out[main.rowFiles[r]] = file;
    }
    for (const DetailBlock& block : kDetailBlocks) {
        const ViewTable view = extractBlockView(run.records, block.box, boxes, msg);
        std::map<std::string, int> taken;
        for (std::size_t r = 0; r < view.rows(); ++r) {
            const std::string& file = view.rowFiles[r];
            if (taken[file]++ < 3)
                out[file][std::string(extractQuantity(block.box).key)].push_back(
                    cellsOf(view, r, format));
        }
    }
    return out;
}

TEST(ResultsViewTables, ShowTheReviewedCells) {
    std::ifstream in(kExpected);
    ASSERT_TRUE(in) << kExpected;
    const Json expected = Json::parse(in);
    const MessageLookup msg = english();
    ExtractBoxes boxes = ExtractBoxes::initial(msg);
    boxes.setAll(true);
    const FileRows rows = inputFiles(expected);
    const ExtractionOutcome run = runExtraction(rows, boxes, msg, '.');
    const Json actual = shown(run, boxes, msg);

    if (const char* regenerate = std::getenv("ZERLANT_REGENERATE"); regenerate && *regenerate) {
        Json all = expected;
        for (const auto& [name, file] : actual.items()) all[name] = file;
        std::ofstream(kExpected) << all.dump(1) << "\n";
        GTEST_SKIP() << "rewrote " << kExpected;
    }
    for (const auto& [name, file] : expected.items()) {
        if (!actual.contains(name)) {
            std::cout << "skipped " << name << ": not in the data folder\n";
            continue;
        }
        for (const auto& [part, cells] : file.items()) {
            SCOPED_TRACE(name + " " + part);
            if (cells.is_object()) {  // the main table and the units, by key
                for (const auto& [key, value] : cells.items())
                    EXPECT_EQ(actual[name][part].value(key, Json()), value) << key;
            } else {  // a block's first rows, by column title
                ASSERT_EQ(actual[name][part].size(), cells.size());
                for (std::size_t i = 0; i < cells.size(); ++i)
                    for (const auto& [title, value] : cells[i].items())
                        EXPECT_EQ(actual[name][part][i].value(title, Json()), value)
                            << "row " << i << ", " << title;
            }
        }
    }
}

}  // namespace
}  // namespace zerlant

namespace zerlant {
namespace {

// A Scan table: the texts stay as written (no digit lost or added), cells
// sort by the numbers they carry, never by a number read out of a text, and
// the formula reads in Hill order as in the other views.
TEST(ResultsViewTables, ScanTextTableKeepsItsTexts) {
    Table t(4, 3);
    const char* cells[3][4] = {{"File", "Formula", "R1", "Note"},
                               {"scan_water.log", "H2O1", "", "1.5"},
                               {"", "", "Error", ""}};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 4; ++c) t.set(c, r, cells[r][c]);
    t.setNumber(2, 1, 0.9, "0.9000");
    const ViewTable view = viewOfTextTable(t, 1);
    ASSERT_EQ(view.rows(), 2u);
    EXPECT_EQ(view.texts[0][1], "H2O");
    EXPECT_EQ(view.texts[0][2], "0.9000");
    EXPECT_EQ(sortNumber(view.cells[0][2]), 0.9);
    EXPECT_EQ(sortNumber(view.cells[0][3]), std::nullopt);
    EXPECT_EQ(view.rowKinds[1], ViewRow::Error);
}

}  // namespace
}  // namespace zerlant
