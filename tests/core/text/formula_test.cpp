// One formula rule for every view and script export: the reviewed cases of
// formula_cases.tsv (written form, Hill order, why), each also unchanged when
// read again in Hill order.

#include <string>

#include "core/text/formula.hpp"
#include "testsupport.hpp"

using zerlant::hillFormula;

TEST(HillFormula, ReviewedCases) {
    const auto cases = zerlant::testing::caseRecords("core/text/formula_cases.tsv");
    EXPECT_GE(cases.size(), 15u);
    for (const auto& c : cases) {
        EXPECT_EQ(hillFormula(c["written"]), c["hill"]) << c["why"];
        EXPECT_EQ(hillFormula(c["hill"]), c["hill"]) << "Hill order read again: " << c["why"];
    }
}

TEST(HillFormula, FromAtomList) {
    EXPECT_EQ(hillFormula(std::vector<std::string>{"O", "H", "H"}), "H2O");
    EXPECT_EQ(hillFormula(std::vector<std::string>{"H", "C", "", "Cl", "H", "H"}), "CH3Cl");
    EXPECT_EQ(hillFormula(std::vector<std::string>{}), "");
}
