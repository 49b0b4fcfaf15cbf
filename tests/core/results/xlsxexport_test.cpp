#include "core/results/xlsxexport.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <map>
#include <regex>

#include "testsupport.hpp"

namespace zerlant {
namespace {

using ::zerlant::testing::TempDir;

using ::zerlant::testing::haveUnzip;
using ::zerlant::testing::zipPart;

struct Cell {
    std::string value;  // the number as written, or the shared string
    bool isNumber = false;
    bool bold = false;
    bool centred = false;
    std::string format;  // the number format's code
};

// The cells of the first sheet by address, read back from the workbook's XML.
std::map<std::string, Cell> readSheet(const std::string& path) {
    const std::string sheet = zipPart(path, "xl/worksheets/sheet1.xml");
    const std::string styles = zipPart(path, "xl/styles.xml");
    const std::string shared = zipPart(path, "xl/sharedStrings.xml");
    EXPECT_FALSE(sheet.empty());
    EXPECT_FALSE(styles.empty());

    std::vector<std::string> strings;
    std::regex si("<si><t[^>]*>([^<]*)</t></si>");
    for (std::sregex_iterator i(shared.begin(), shared.end(), si), e; i != e; ++i)
        strings.push_back((*i)[1]);

    std::map<int, std::string> formats = {{0, "General"}, {49, "@"}};
    std::regex numFmt("<numFmt numFmtId=\"(\\d+)\" formatCode=\"([^\"]*)\"/>");
    for (std::sregex_iterator i(styles.begin(), styles.end(), numFmt), e; i != e; ++i)
        formats[std::stoi((*i)[1])] = (*i)[2];

    auto section = [&](const std::string& name) {
        auto from = styles.find("<" + name);
        auto to = styles.find("</" + name + ">");
        return styles.substr(from, to - from);
    };
    std::vector<bool> boldFonts;
    const std::string fonts = section("fonts");
    std::regex font("<font>(.*?)</font>");
    for (std::sregex_iterator i(fonts.begin(), fonts.end(), font), e; i != e; ++i)
        boldFonts.push_back((*i)[1].str().find("<b/>") != std::string::npos);

    struct Xf {
        int numFmt, font;
        bool centred;
    };
    std::vector<Xf> xfs;
    const std::string cellXfs = section("cellXfs");
    std::regex xf("<xf numFmtId=\"(\\d+)\" fontId=\"(\\d+)\"[^>]*?(/>|>(.*?)</xf>)");
    for (std::sregex_iterator i(cellXfs.begin(), cellXfs.end(), xf), e; i != e; ++i)
        xfs.push_back({std::stoi((*i)[1]), std::stoi((*i)[2]),
                       (*i)[4].str().find("horizontal=\"center\"") != std::string::npos});

    std::map<std::string, Cell> cells;
    std::regex c("<c r=\"([A-Z]+\\d+)\"( s=\"(\\d+)\")?( t=\"(\\w+)\")?(/>|><v>([^<]*)</v></c>)");
    for (std::sregex_iterator i(sheet.begin(), sheet.end(), c), e; i != e; ++i) {
        const auto& m = *i;
        Cell cell;
        const Xf& style = xfs.at(m[3].matched ? std::stoi(m[3]) : 0);
        cell.format = formats[style.numFmt];
        cell.bold = boldFonts.at(style.font);
        cell.centred = style.centred;
        if (m[7].matched) {
            if (m[5] == "s") {
                cell.value = strings.at(std::stoul(m[7]));
            } else {
                cell.value = m[7];
                cell.isNumber = true;
            }
        }
        cells[m[1]] = cell;
    }
    return cells;
}

Table sampleTable(char sep) {
    // Columns 2 and 4 are empty throughout, the title included.  Cells
    // written with their number are numbers; texts that merely look like
    // numbers ("2026", "0.9000") stay texts.
    Table t(6, 4);
    const char* rows[4][6] = {{"FILE", "VALUE", "", "TEXT", "", "2026"},
                              {"a.log", "", "", "Error", "", ""},
                              {"b.log", "Error", "", "", "", ""},
                              {"c.log", "", "", "0.9000", "", ""}};
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 6; ++c) t.set(c, r, rows[r][c]);
    t.setNumber(1, 1, 1.5, std::string("1") + sep + "5");
    t.setNumber(1, 3, 2.5e20, std::string("2") + sep + "5E+20");
    t.setNumber(5, 1, -0.25, std::string("-0") + sep + "25");
    t.setNumber(5, 2, 1e-5, "1E-05");
    t.setNumber(5, 3, 7, "7");
    return t;
}

void checkSample(const std::string& path) {
    auto cells = readSheet(path);
    const auto expected = testing::caseRecords("core/results/xlsx_sample_cells.tsv");
    EXPECT_EQ(cells.size(), expected.size());  // nothing beyond
    for (const auto& c : expected) {
        SCOPED_TRACE(c.source + ": " + c["address"]);
        ASSERT_TRUE(cells.count(c["address"]));
        const Cell& cell = cells[c["address"]];
        EXPECT_EQ(cell.isNumber, c["kind"] != "text");
        if (c["kind"] == "number-value") {
            EXPECT_EQ(std::stod(cell.value), std::stod(c["value"]));
        } else {
            EXPECT_EQ(cell.value, c["value"]);
        }
        EXPECT_TRUE(cell.centred);
        EXPECT_EQ(cell.bold, c["address"].size() == 2 && c["address"][1] == '1');
        EXPECT_EQ(cell.format, cell.isNumber ? "#0.00######" : "@");
    }
}

TEST(XlsxExport, CellsFormatsAndPackedColumns) {
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TempDir dir;
    const std::string path = dir.file("jobs.xlsx");
    ASSERT_TRUE(writeExcelWorkbook(sampleTable('.'), path));
    checkSample(path);

    // Written again over the old workbook: replaced, no temporary file left.
    ASSERT_TRUE(writeExcelWorkbook(sampleTable('.'), path));
    EXPECT_EQ(testing::filesIn(dir), std::set<std::string>{"jobs.xlsx"});
}

TEST(XlsxExport, SameCellsUnderADecimalCommaLocale) {
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    TempDir dir;
    const std::string path = dir.file("jobs.xlsx");
    Status written = writeExcelWorkbook(sampleTable(','), path);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_STREQ(probe, "1,5");  // the locale really prints a decimal comma
    ASSERT_TRUE(written);
    checkSample(path);
}

TEST(XlsxExport, ColumnNamesAndWideTables) {
    EXPECT_EQ(spreadsheetColumnName(1), "A");
    EXPECT_EQ(spreadsheetColumnName(52), "AZ");
    EXPECT_EQ(spreadsheetCellAddress(28, 7), "AB7");
    EXPECT_EQ(excelFileName("/home/me/jobs/"), "jobs.xlsx");

    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TempDir dir;
    Table t(55, 2);
    for (std::size_t c = 0; c < 55; ++c) t.set(c, 0, "T" + std::to_string(c + 1));
    t.set(54, 1, "\xE9t\xE9 \x80");  // Windows-1252 bytes: no broken workbook
    auto written = exportarexcel(t, dir.path().string(), "/data/run 1");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, dir.file("run 1.xlsx"));
    auto cells = readSheet(*written);
    EXPECT_EQ(cells["AA1"].value, "T27");
    EXPECT_EQ(cells["AZ1"].value, "T52");
    EXPECT_EQ(cells["BA1"].value, "T53");
    EXPECT_EQ(cells["BC2"].value, "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");

    // A folder that cannot be written gives an error, and no file.
    auto failed = exportarexcel(t, dir.file("no/such/folder"), "/x");
    EXPECT_FALSE(failed);

    // A cell longer than a spreadsheet cell holds fails the export; the
    // workbook written before stays as it was and no temporary file is left.
    const std::string before = ::zerlant::testing::readAll(*written);
    t.set(3, 1, std::string(40000, 'x'));
    EXPECT_FALSE(writeExcelWorkbook(t, *written));
    EXPECT_EQ(::zerlant::testing::readAll(*written), before);
    EXPECT_EQ(testing::filesIn(dir), std::set<std::string>{"run 1.xlsx"});
}

}  // namespace
}  // namespace zerlant
