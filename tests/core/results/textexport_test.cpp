// Quoting in the separated text export: only cells that would split or shift
// a row are quoted.

#include "core/results/textexport.hpp"
#include "core/results/tidyexport.hpp"

#include <gtest/gtest.h>

using namespace zerlant;

TEST(TextExport, CellsThatWouldSplitARowAreQuoted) {
    const struct {
        std::string cell;
        std::string separator;
        std::string written;
    } cases[] = {
        {"plain.log", ";", "plain.log"},
        {"-0.000213", ";", "-0.000213"},
        {"1,5", ";", "1,5"},  // a decimal comma is no separator here
        {"a;b.log", ";", "\"a;b.log\""},
        {"1,5", ",", "\"1,5\""},
        {"say \"hi\"", ";", "\"say \"\"hi\"\"\""},
        {"line\nbreak", ";", "\"line\nbreak\""},
        {"stray\rCR", ";", "\"stray\rCR\""},
        {"crlf\r\n", ";", "\"crlf\r\n\""},
        {"\"", ";", "\"\"\"\""},
        {"", ";", ""},
        {"tab\there", "\t", "\"tab\there\""},
    };
    for (const auto& c : cases) {
        Table t(2, 1);
        t.set(0, 0, c.cell.empty() ? "x" : c.cell);
        t.set(1, 0, c.cell);
        const std::string first = c.cell.empty() ? "x" : c.written;
        EXPECT_EQ(exportTextBytes(t, c.separator, "\n"),
                  c.cell.empty() ? "x\n" : first + c.separator + c.written + "\n")
            << c.cell;
    }
}

namespace zerlant {
namespace {

// The window's table (decimal comma, its own N/A text) in the tidy form:
// "." decimals in the number and time columns only, missing values empty.
TEST(TidyResultTable, DecimalPointAndEmptyMissingValues) {
    Table shown(kResultColumns, 2);
    shown.set(0, 1, "a,b.log");
    shown.set(3, 1, "6-31G(d,p)");
    shown.set(6, 1, "-76,4089");
    shown.set(9, 1, "N/D");
    shown.set(20, 1, "0:0:5,6");
    const Table t = tidyResultTable(shown, "N/D", ',');
    EXPECT_EQ(t.cell(0, 1), "a,b.log");
    EXPECT_EQ(t.cell(3, 1), "6-31G(d,p)");
    EXPECT_EQ(t.cell(6, 1), "-76.4089");
    EXPECT_EQ(t.cell(9, 1), "");
    EXPECT_EQ(t.cell(20, 1), "0:0:5.6");
}

}  // namespace
}  // namespace zerlant
