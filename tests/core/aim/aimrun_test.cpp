#include "core/aim/aimrun.hpp"

#include <gtest/gtest.h>

#include <map>

#include "core/common/expectedtable.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using ::zerlant::testing::expectTable;
using ::zerlant::testing::TempDir;

std::string caption(int n) {
    static const std::map<int, std::string> texts = {
        {58, "File"},         {191, "Type"}, {192, "Rho"}, {193, "DelSqRho"},
        {194, "Ellipticity"}, {195, "V"},    {196, "G"},   {197, "H"}};
    return texts.count(n) ? texts.at(n) : "?";
}

FileRows listOf(const std::vector<std::pair<std::string, std::string>>& files) {
    FileRows rows{FileRow{false, "Files", "", ""}};
    for (const auto& [name, path] : files) rows.push_back(FileRow{true, name, path, ""});
    return rows;
}

std::vector<std::string> rowOf(const Table& t, std::size_t r) {
    std::vector<std::string> out;
    for (std::size_t c = 0; c < t.columns(); ++c) out.push_back(t.cell(c, r));
    return out;
}

// The column whose title (row 0) is `title`.
std::size_t columnTitled(const Table& t, const std::string& title) {
    for (std::size_t c = 0; c < t.columns(); ++c)
        if (t.cell(c, 0) == title)
            return c;
    ADD_FAILURE() << "no column " << title;
    return 0;
}

// A .sum listing with the given critical points (type, rho, delsqrho,
// ellipticity, V, G), in LF or CR LF lines.
std::string sumText(const std::vector<std::array<std::string, 6>>& points, const char* eol) {
    std::string s = std::string("header") + eol +
                    "  GBL_IV = Sum of Distances Between BCP and Nuclei" + eol + eol;
    int i = 0;
    for (const auto& p : points) {
        s += "CP# " + std::to_string(++i) + std::string("      Coords =  0.0 0.0 0.0") + eol;
        s += std::string("           Type = ") + p[0] + eol;
        s += std::string("           Rho =  ") + p[1] + eol;
        s += std::string("           DelSqRho = ") + p[2] + eol;
        s += std::string("           Bond Ellipticity = ") + p[3] + eol;
        s += std::string("           V = ") + p[4] + eol;
        s += std::string("           G =  ") + p[5] + eol;
        s += std::string("           GBL_IV =  1.0E+00") + eol + eol;
    }
    s += std::string("Number of NACPs  =      3") + eol;
    return s;
}

TEST(AimRun, RealSummaryGivesEveryBondCriticalPointWithItsValues) {
    ZERLANT_DATA_FILE(path, "pymolqtaim_water_min.sum");
    auto run = runAim(listOf({{"water_min.sum", path.string()}}), caption, '.');
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->untick.empty());
    EXPECT_TRUE(run->failures.empty());
    expectTable(run->table, "core/aim/water_min_table.tsv");
}

TEST(AimRun, SeveralFilesEachLaterOneLedByATitleRow) {
    ZERLANT_DATA_FILE(monomer, "ichor_WATER_MONOMER0000.sum");
    ZERLANT_DATA_FILE(dimer, "pymolqtaim_water_min.sum");
    ZERLANT_DATA_FILE(big, "mlqtaim_ce11-opt.sum");
    TempDir dir;
    std::string none =
        dir.write("none.sum", sumText({{"(3,-3) NACP O1", "1", "1", "NA", "1", "1"}}, "\n"));
    auto run = runAim(listOf({{"none.sum", none},
                              {"monomer.sum", monomer.string()},
                              {"dimer.sum", dimer.string()},
                              {"ce11.sum", big.string()}}),
                      caption, ',');
    ASSERT_TRUE(run);
    expectTable(run->table, "core/aim/several_summaries_table.tsv");
}

TEST(AimRun, SyntheticListingsAndOtherFiles) {
    TempDir dir;
    // Types (3,-3), (3,-1), (3,-1), (3,+1): two rows.  CR LF lines read the
    // same as LF lines.
    std::vector<std::array<std::string, 6>> points = {
        {"(3,-3) NACP O1", "2.9E+02", "-1.9E+06", "NA", "-4.7E+05", "4.6E+01"},
        {"(3,-1) BCP O1 H2", "3.5E-01", "-2.0E+00", "2.5E-02", "-7.5E-01", "5.0E-01"},
        {"(3,-1) BCP O1 H3", "3.4E-01", "-1.9E+00", "NA", "-0.5", "0.25"},
        {"(3,+1) RCP", "1.0E-02", "1.0E-01", "NA", "-1.0E-02", "1.0E-02"}};
    std::string lf = dir.write("lf.sum", sumText(points, "\n"));
    std::string crlf = dir.write("crlf.sum", sumText(points, "\r\n"));
    std::string out = dir.write("job.out", "Normal termination\n");
    std::string listless = dir.write("other.sum", "no listing here\n");

    FileRows rows = listOf({{"lf.sum", lf},
                            {"job.out", out},
                            {"other.sum", listless},
                            {"missing.sum", dir.file("missing.sum")},
                            {"crlf.SUM", crlf}});
    rows[0].checked = true;  // the heading row after a switch-all is looked at too
    std::vector<std::size_t> seen;
    auto run = runAim(rows, caption, '.', [&](std::size_t i, const std::string&) {
        seen.push_back(i);
        return true;
    });
    ASSERT_TRUE(run);
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
    // Not .sum: the heading and job.out are unticked, nothing else happens.
    EXPECT_EQ(run->untick, (std::vector<std::size_t>{0, 2}));
    ASSERT_EQ(run->failures.size(), 1u);
    EXPECT_EQ(run->failures[0].path, dir.file("missing.sum"));

    expectTable(run->table, "core/aim/synthetic_table.tsv");

    // A missing value is 0, a missing type the empty text.
    std::string bare =
        dir.write("bare.sum", std::string("GBL_IV = Sum of Distances Between BCP "
                                          "and Nuclei\nCP# 1 (3,-1)\nNumber of NACPs\n"));
    auto bareRun = runAim(listOf({{"bare.sum", bare}}), caption, '.');
    ASSERT_TRUE(bareRun);
    EXPECT_EQ(rowOf(bareRun->table, 1),
              (std::vector<std::string>{"bare.sum", "", "0", "0", "0", "0", "0", "0"}));

    // Cancelling gives no table.
    EXPECT_FALSE(
        runAim(rows, caption, '.', [](std::size_t i, const std::string&) { return i < 3; }));
}

// H = G + V carries no binary noise of the addition: it has the decimals of
// the values it is made of (h_cases.tsv).
TEST(AimRun, TotalEnergyDensityIsRoundedToItsTermsDecimals) {
    TempDir dir;
    for (const auto& c : testing::caseRows("core/aim/h_cases.tsv")) {
        ASSERT_EQ(c.size(), 4u);
        const std::string &v = c[0], &g = c[1], &h = c[3];
        const std::string path =
            dir.write("p.sum", sumText({{"(3,-1) BCP A1 B2", "0.1", "0.2", "0.0", v, g}}, "\n"));
        auto run = runAim(listOf({{"p.sum", path}}), caption, c[2].at(0));
        ASSERT_TRUE(run);
        EXPECT_EQ(run->table.cell(columnTitled(run->table, "H"), 1), h) << v << " + " << g;
    }
}

}  // namespace
}  // namespace zerlant
