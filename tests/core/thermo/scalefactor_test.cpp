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

// Made-up endings of a frequency step (archive_cases.tsv).
TEST(LevelOfTheory, ArchiveHeaderEdges) {
    const std::string thermo =
        " - Thermochemistry -\n"
        " Molecular mass:    18.01056 amu.\n"
        " Sum of electronic and thermal Free Energies=          -76.405143\n";
    for (const auto& c : caseRecords("core/thermo/archive_cases.tsv")) {
        const auto step = readFrequencyStep(thermo + c["tail"]);
        ASSERT_TRUE(step) << c.source;
        EXPECT_EQ(step->method + " " + step->basis, c["method"] + " " + c["basis"]) << c.source;
    }
}
