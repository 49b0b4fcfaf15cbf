// The scale factor table: lookups by the spellings people and Gaussian use
// (scalefactor_cases.tsv), the table's own consistency, and the method and
// basis set read from real outputs (level_expected.tsv) and made-up ones.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/scalefactors.hpp"
#include "core/thermo/thermotable.hpp"
#include "testsupport.hpp"

using namespace zerlant::thermo;

using zerlant::testing::caseRecords;
using zerlant::testing::readAll;

TEST(ScaleFactors, LookupsBySpelling) {
    for (const auto& c : caseRecords("core/thermo/scalefactor_cases.tsv")) {
        SCOPED_TRACE(c.source + ": '" + c["level"] + "', " + c["what"]);
        const ScaleFactor* row = findScaleFactor(c["level"]);
        if (c["factor"] == "none") {
            EXPECT_EQ(row, nullptr) << "found " << row->method << "/" << row->basis;
        } else {
            ASSERT_NE(row, nullptr);
            EXPECT_DOUBLE_EQ(row->factor, std::stod(c["factor"]));
        }
    }
}

// Every row is found by its own names and by no other row's, has a source, and
// a factor in the range published factors lie in.
TEST(ScaleFactors, TableIsConsistent) {
    std::set<const ScaleFactor*> seen;
    for (const ScaleFactor& row : scaleFactorTable()) {
        const std::string level = std::string(row.method) + "/" + std::string(row.basis);
        EXPECT_EQ(findScaleFactor(row.method, row.basis), &row) << level << " twice or unfound";
        EXPECT_EQ(findScaleFactor(level), &row) << level;
        EXPECT_GT(row.factor, 0.85) << level;
        EXPECT_LT(row.factor, 1.05) << level;
        EXPECT_FALSE(row.source.empty()) << level;
        seen.insert(&row);
    }
    EXPECT_EQ(seen.size(), scaleFactorTable().size());
}

TEST(LevelOfTheory, RealOutputs) {
    const std::filesystem::path dir = zerlant::testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    for (const auto& c : caseRecords("core/thermo/level_expected.tsv")) {
        SCOPED_TRACE(c.source + ": " + c["file"] + ", " + c["what"]);
        const auto step = readFrequencyStep(readAll(dir / c["file"]));
        ASSERT_TRUE(step);
        EXPECT_EQ(step->method, c["method"]);
        EXPECT_EQ(step->basis, c["basis"]);
    }
}

// Made-up endings of a frequency step: the header found past other lines and
// joined over any wrap, and no header taken from a later job.
TEST(LevelOfTheory, ArchiveHeaderEdges) {
    const std::string thermo =
        " - Thermochemistry -\n"
        " Molecular mass:    18.01056 amu.\n"
        " Sum of electronic and thermal Free Energies=          -76.405143\n";
    struct Case {
        std::string tail;
        std::string method, basis;
    };
    const std::vector<Case> cases = {
        {" Test job not archived.\n "
         "1\\1\\GINC-N\\Freq\\RB3LYP\\6-31G(d)\\H2O1\\U\\1-Jan-2026\\0\\\\#P "
         "B3LYP/6-31G(d) Freq\\\\t\\\\0,1\\O\n",
         "RB3LYP", "6-31G(d)"},
        {" 1\\1\\GINC-N\\Freq\\RM0\n 62X\\6-311+\n G(d,p)\\H2O1\\U\n \\1-Jan-2026\\0\\\\#P\n",
         "RM062X", "6-311+G(d,p)"},
        {" 1|1|GINC-N|Freq|UHF|STO-3G|H2O1(2)|U|1-Jan-2026|0||#P HF\r\n", "UHF", "STO-3G"},
        // The job ends before any entry: a later job's entry is not this one's.
        {" Normal termination of Gaussian 16\n 1\\1\\GINC-N\\SP\\RHF\\3-21G\\H2O1\\U\\d\\0\\\\#P\n",
         "", ""},
        // Cut short before the basis set ends.
        {" 1\\1\\GINC-N\\Freq\\RB3LYP\\6-31", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const auto step = readFrequencyStep(thermo + c.tail);
        ASSERT_TRUE(step) << c.tail;
        EXPECT_EQ(step->method, c.method) << c.tail;
        EXPECT_EQ(step->basis, c.basis) << c.tail;
    }
}

// --scale-from-table's core: the file's own level picks the factor, and a
// level the table lacks gives no values rather than unscaled ones.
TEST(LevelOfTheory, RowScaledFromTable) {
    const std::filesystem::path dir = zerlant::testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    const std::string hf = readAll(dir / "cclibdata_g09_irc_point.log");
    const ThermoSettings settings;
    const ThermoRow plain = thermoRow("a", hf, settings);
    const ThermoRow scaled = thermoRow("a", hf, settings, true);
    ASSERT_TRUE(plain.ok()) << plain.error;
    ASSERT_TRUE(scaled.ok()) << scaled.error;
    ASSERT_NE(scaled.scaleFactor, nullptr);
    EXPECT_DOUBLE_EQ(scaled.scaleFactor->factor, 0.909);
    // The zero-point energy is a sum of frequencies: it scales exactly.
    EXPECT_NEAR(scaled.summary.zpe, 0.909 * plain.summary.zpe, 1e-12);

    const ThermoRow water = thermoRow("w", readAll(dir / "goodvibes_g09_H2O.log"), settings, true);
    EXPECT_FALSE(water.ok());
    EXPECT_TRUE(water.noScaleFactor);
    EXPECT_NE(water.error.find("RB3LYP/STO-3G"), std::string::npos) << water.error;
}
