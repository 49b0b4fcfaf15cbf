#include "core/aim/aimrun.hpp"

#include <gtest/gtest.h>

#include <map>

#include "core/text/numbers.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

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

const std::vector<std::string> kTitles = {"FILE",        "TYPE", "RHO", "DELSQRHO",
                                          "ELLIPTICITY", "V",    "G",   "H"};

double value(const Table& t, std::size_t c, std::size_t r, char sep = '.') {
    auto v = toDouble(t.cell(c, r), sep);
    EXPECT_TRUE(v.has_value()) << "cell (" << c << ", " << r << ") = '" << t.cell(c, r) << "'";
    return v.value_or(-999);
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
    const Table& t = run->table;
    EXPECT_EQ(t.columns(), 8u);
    ASSERT_EQ(t.rows(), 6u);  // titles + 5 bond critical points
    EXPECT_EQ(rowOf(t, 0), kTitles);
    EXPECT_TRUE(run->untick.empty());
    EXPECT_TRUE(run->failures.empty());

    // CP# 7 of the file, the first (3,-1) point: every value read although
    // the file has LF line ends.
    EXPECT_EQ(rowOf(t, 1),
              (std::vector<std::string>{"water_min.sum", "(3,-1) BCP H2 O1", "0.36195195816",
                                        "-2.0852208264", "0.025904385526", "-0.66959880344",
                                        "0.074146798427", "-0.595452005013"}));
    // H = G + V; the file's K (to its 11 digits) is -H.
    EXPECT_NEAR(value(t, 7, 1), -5.9545200502E-01, 1e-10);
    // The file name stands on the first row only; the types in file order.
    for (std::size_t r = 2; r < t.rows(); ++r) EXPECT_EQ(t.cell(0, r), "") << r;
    EXPECT_EQ(t.cell(1, 2), "(3,-1) BCP H3 O1");
    EXPECT_EQ(t.cell(1, 5), "(3,-1) BCP O4 H5");
    // The hydrogen bond (CP# 9): small rho, positive Laplacian.
    EXPECT_DOUBLE_EQ(value(t, 2, 3), 2.6319056498E-02);
    EXPECT_DOUBLE_EQ(value(t, 5, 3), -1.9582746547E-02);
    EXPECT_DOUBLE_EQ(value(t, 6, 3), 1.9369425935E-02);
    EXPECT_NEAR(value(t, 7, 3), 1.9369425935E-02 - 1.9582746547E-02, 1e-15);
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
    const Table& t = run->table;
    // A first file without bond critical points adds no title row: the
    // monomer's two points are rows 1 and 2.
    EXPECT_EQ(t.cell(0, 1), "monomer.sum");
    EXPECT_EQ(t.cell(1, 1), "(3,-1) BCP H2 O1");
    EXPECT_EQ(t.cell(2, 1), "0,33713942316");  // the decimal separator asked for
    EXPECT_EQ(t.cell(4, 2), "0,028822346387");
    EXPECT_NEAR(value(t, 7, 2, ','), 5.2794288030E-02 - 4.3543864700E-01, 1e-15);
    EXPECT_EQ(rowOf(t, 3), kTitles);
    EXPECT_EQ(t.cell(0, 4), "dimer.sum");
    EXPECT_EQ(t.cell(0, 5), "");
    EXPECT_EQ(rowOf(t, 9), kTitles);
    EXPECT_EQ(t.cell(0, 10), "ce11.sum");
    ASSERT_EQ(t.rows(), 10u + 171u);
    for (std::size_t r = 10; r < t.rows(); ++r) {
        EXPECT_NE(t.cell(1, r).find("(3,-1)"), std::string::npos) << r;
        EXPECT_GT(value(t, 2, r, ','), 0.0) << r;
        EXPECT_NEAR(value(t, 7, r, ','), value(t, 6, r, ',') + value(t, 5, r, ','), 1e-12) << r;
    }
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

    const Table& t = run->table;
    ASSERT_EQ(t.rows(), 6u);
    const std::vector<std::string> first = {
        "lf.sum", "(3,-1) BCP O1 H2", "0.35", "-2", "0.025", "-0.75", "0.5", "-0.25"};
    EXPECT_EQ(rowOf(t, 1), first);
    EXPECT_EQ(rowOf(t, 2), (std::vector<std::string>{"", "(3,-1) BCP O1 H3", "0.34", "-1.9", "0",
                                                     "-0.5", "0.25", "-0.25"}));
    EXPECT_EQ(rowOf(t, 3), kTitles);
    std::vector<std::string> again = first;
    again[0] = "crlf.SUM";
    EXPECT_EQ(rowOf(t, 4), again);

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
// the values it is made of.
TEST(AimRun, TotalEnergyDensityIsRoundedToItsTermsDecimals) {
    const struct {
        const char* v;
        const char* g;
        char separator;
        const char* h;
    } cases[] = {
        {"-1.9582746547E-02", "1.9369425935E-02", '.', "-0.000213320612"},
        {"-1.9582746547E-02", "1.9369425935E-02", ',', "-0,000213320612"},
        {"-6.6959880344E-01", "7.4146798427E-02", '.', "-0.595452005013"},
        {"-0.1", "0.3", '.', "0.2"},
        {"-0.3", "0.1", '.', "-0.2"},
        {"-1.0E-05", "1.0E-05", '.', "0"},
        {"-2.5E+00", "1.25E-06", '.', "-2.49999875"},
        {"NA", "1.5E-01", '.', "0.15"},  // an unreadable term counts as 0
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.write(
            "p.sum", sumText({{"(3,-1) BCP A1 B2", "0.1", "0.2", "0.0", c.v, c.g}}, "\n"));
        auto run = runAim(listOf({{"p.sum", path}}), caption, c.separator);
        ASSERT_TRUE(run);
        EXPECT_EQ(run->table.cell(7, 1), c.h) << c.v << " + " << c.g;
    }
}

}  // namespace
}  // namespace zerlant
