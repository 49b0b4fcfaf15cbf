// The exports for scripts against the ';' table: the same cells for every
// real output, with "." decimals, missing values empty, keys that do not
// change with the language; any file name as UTF-8 text on one line.  (The
// JSON records: tests/golden/json; XYZ files: data/scenarios.json.)

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/text/formula.hpp"
#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using zerlant::testing::linesOf;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;

std::string allOutputs() {
    const fs::path data = zerlant::testing::dataDir();
    std::string list;
    for (const auto& e : fs::directory_iterator(data)) {
        const std::string ext = e.path().extension().string();
        if (ext == ".log" || ext == ".out")
            list += " '" + e.path().string() + "'";
    }
    return list;
}

TEST(CliTidy, CsvHoldsTheCellsOfTheTableForEveryRealOutput) {
    if (zerlant::testing::dataDir().empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    TempDir dir;
    const std::vector<std::string> keys = {
        "file",          "formula", "method", "basis",  "charge", "energy",  "energy-opt",
        "energy-method", "homo",    "lumo",   "dipole", "eps",    "cputime", "status"};
    std::string select = "--select ";
    for (const std::string& k : keys) select += k + (&k == &keys.back() ? "" : ",");
    const auto table = runCli(dir, "extract --lang Español --decimal-separator . " + select +
                                       allOutputs() + " 2>/dev/null");
    const auto csv = runCli(dir, "extract --lang English -o x.csv " + select + allOutputs());
    const auto rows = linesOf(table.out);
    const auto csvRows = linesOf(zerlant::testing::readAll(dir.path() / "x.csv"), "\r\n");
    ASSERT_EQ(rows.size(), csvRows.size());
    const auto header = zerlant::testing::cellsOf(csvRows[0]);
    auto column = [&](const std::string& key) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), key) -
                                        header.begin());
    };
    ASSERT_LT(column("multiplicity"), header.size());
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto shown = zerlant::testing::cellsOf(rows[r], ';');
        const auto tidy = zerlant::testing::cellsOf(csvRows[r]);
        ASSERT_EQ(shown.size(), keys.size()) << rows[r];
        ASSERT_EQ(tidy.size(), header.size()) << csvRows[r];
        const bool failed = shown.back() == "KO";
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string& key = keys[k];
            std::string want =
                shown[k] == "N/D" || (failed && key != "file" && key != "status") ? "" : shown[k];
            std::string got = tidy[column(key)];
            if (key == "formula")  // the table keeps the Mulliken order, scripts get Hill order
                want = zerlant::hillFormula(want);
            if (key == "charge" && !got.empty())  // two integers, shown as "0  1"
                got += "  " + tidy[column("multiplicity")];
            EXPECT_EQ(got, want) << csvRows[r] << " " << key;
        }
    }
}

// A file name that is no UTF-8 (Latin-1 "\xe9") or holds a line break: the
// CSV and JSON hold it as UTF-8 text, the XYZ title stays one line.
TEST(CliTidy, AnyFileNameBecomesUtf8TextOnOneLine) {
    TempDir dir;
    const std::string latin = "caf\xe9.log";
    const std::string broken = "two\nlines.log";
    for (const std::string& name : {latin, broken})
        std::filesystem::copy_file(fs::path(ZERLANT_SOURCE_DIR) / "examples/water_opt_freq.log",
                                   dir.path() / name);
    const std::string files = " '" + latin + "' '" + broken + "'";
    const auto json = runCli(dir, "extract --all --format json" + files);
    ASSERT_EQ(json.status, 0) << json.err;
    const auto records = nlohmann::json::parse(json.out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]["file"], "caf\u00e9.log");
    EXPECT_EQ(records[1]["file"], "two\nlines.log");
    const auto csv = runCli(dir, "extract --select file,status --format csv" + files);
    EXPECT_EQ(csv.out, "file,status\r\ncaf\u00e9.log,OK\r\n\"two\nlines.log\",OK\r\n");
    const auto xyz = runCli(dir, "extract -o all.xyz" + files);
    const auto lines = linesOf(zerlant::testing::readAll(dir.path() / "all.xyz"));
    ASSERT_EQ(lines.size(), 10u) << xyz.err;
    EXPECT_EQ(lines[1].substr(0, 9), "caf\u00e9.log");
    EXPECT_EQ(lines[6].substr(0, 14), "two lines.log ");
}

}  // namespace
