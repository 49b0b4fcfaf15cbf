#include "core/text/textutils.hpp"

#include <gtest/gtest.h>

using namespace zerlant;

// The single cases of these procedures are rows of text_cases.tsv.

TEST(Textoentre, GivesAWindowThatCanBeSearchedAgain) {
    FoldedText text(std::string("x Standard orientation: A\r\nB Standard orientation: C\r\nD"));
    TextRef last = textoentre(text, "standard ORIENTATION:", "\r\n", true);
    EXPECT_EQ(last.str(), " C");
    EXPECT_TRUE(last.contains("c"));
}

TEST(Quitarvacios, KeepsTheOrderAndLeavesTheOutputAloneWhenNothingIsKept) {
    std::vector<std::string> in{"", "1", "", "6", "0.5", ""};
    std::vector<std::string> out{"kept"};
    quitarvacios(std::vector<std::string>{"", ""}, out);
    EXPECT_EQ(out, std::vector<std::string>{"kept"});
    quitarvacios(in, out);
    EXPECT_EQ(out, (std::vector<std::string>{"1", "6", "0.5"}));
    EXPECT_EQ(quitarvacios(splitText("  1   C  ", " ")), (std::vector<std::string_view>{"1", "C"}));
}

TEST(Entradaarchivo, SearchesOnlyTheTail) {
    std::string big(kTailBytes + 10, 'x');
    big.replace(0, 8, "1|1|A||@");  // before the tail: not seen
    big.replace(kTailBytes, 8, "1|1|B||@");
    EXPECT_EQ(entradaarchivo(FoldedText(std::move(big)), true), "1|1|B||");
}
