// One formula rule for every view and script export: the reviewed cases of
// formula_cases.tsv (written form, Hill order, why), each also unchanged when
// read again in Hill order.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/text/formula.hpp"

using zerlant::hillFormula;

TEST(HillFormula, ReviewedCases) {
    std::ifstream in(ZERLANT_SOURCE_DIR "/tests/core/text/formula_cases.tsv");
    ASSERT_TRUE(in) << "formula_cases.tsv is missing";
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string written, hill, why;
        std::getline(fields, written, '\t');
        std::getline(fields, hill, '\t');
        std::getline(fields, why);
        EXPECT_EQ(hillFormula(written), hill) << why;
        EXPECT_EQ(hillFormula(hill), hill) << "Hill order read again: " << why;
        ++cases;
    }
    EXPECT_GE(cases, 15);
}

TEST(HillFormula, FromAtomList) {
    EXPECT_EQ(hillFormula(std::vector<std::string>{"O", "H", "H"}), "H2O");
    EXPECT_EQ(hillFormula(std::vector<std::string>{"H", "C", "", "Cl", "H", "H"}), "CH3Cl");
    EXPECT_EQ(hillFormula(std::vector<std::string>{}), "");
}
