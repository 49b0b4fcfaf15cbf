// Runs every row of text_cases.tsv: the text and number procedures on
// reviewed inputs and their expected results; then the cases a row cannot
// hold, and the formula rule.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <variant>

#include "core/text/formula.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

// One row of the table, its fields by name.
struct Case {
    std::string procedure, text, first, second, options, expected;
    bool fromEnd() const { return options == "last"; }
    char separator() const { return options == "comma" ? ',' : '.'; }
};

// A procedure's result: text, a number, a truth value, or no number.
using Result = std::variant<std::string, double, bool, std::nullopt_t>;

Result number(std::optional<double> v) {
    return v ? Result(*v) : Result(std::nullopt);
}

const std::map<std::string, std::function<Result(const Case&, TextRef)>>& procedures() {
    static const std::map<std::string, std::function<Result(const Case&, TextRef)>> all{
        {"textoentre",
         [](const Case& c, TextRef t) {
             return Result(textoentre(t, c.first, c.second, c.fromEnd()).str());
         }},
        {"numeroentre",
         [](const Case& c, TextRef t) {
             return Result(numeroentre(t, c.first, c.second, c.fromEnd()));
         }},
        {"contienetexto",
         [](const Case& c, TextRef t) {
             // Both forms must agree.
             const bool plain = contienetexto(std::string_view(c.text), c.first);
             EXPECT_EQ(contienetexto(t, c.first), plain);
             return Result(plain);
         }},
        {"primernumerotras",
         [](const Case& c, TextRef t) {
             return Result(primernumerotras(t, c.first, c.second, c.fromEnd()));
         }},
        {"leercomponentes",
         [](const Case& c, TextRef) {
             std::string joined;
             for (double v : leercomponentes(c.text, std::stoi(c.first)))
                 joined += (joined.empty() ? "" : " ") + formatNumber(v);
             return Result(joined);
         }},
        {"palabraenlista",
         [](const Case& c, TextRef) { return Result(palabraenlista(c.first, c.text)); }},
        {"simboloelemento",
         [](const Case& c, TextRef) { return Result(simboloelemento(std::stoi(c.first))); }},
        {"entradaarchivo",
         [](const Case& c, TextRef t) { return Result(entradaarchivo(t, c.options != "raw")); }},
        {"tiempocpu", [](const Case& c, TextRef t) { return Result(tiempocpu(t, c.separator())); }},
        {"joinWrappedLines",
         [](const Case& c, TextRef) { return Result(joinWrappedLines(c.text)); }},
        {"isNumeric",
         [](const Case& c, TextRef) { return Result(isNumeric(c.text, c.separator())); }},
        {"leadingNumber", [](const Case& c, TextRef) { return Result(leadingNumber(c.text)); }},
        {"toDouble",
         [](const Case& c, TextRef) { return number(toDouble(c.text, c.separator())); }},
        {"toInt16",
         [](const Case& c, TextRef) {
             auto v = toInt16(c.text, c.separator());
             return v ? number(double(*v)) : Result(std::nullopt);
         }},
        {"formatNumber",
         [](const Case& c, TextRef) {
             return Result(formatNumber(std::strtod(c.text.c_str(), nullptr), c.separator()));
         }},
    };
    return all;
}

// The expected field read as the kind of result the procedure gave.
void expectResult(const Result& got, const std::string& expected) {
    if (auto* s = std::get_if<std::string>(&got)) {
        EXPECT_EQ(*s, expected);
    } else if (auto* b = std::get_if<bool>(&got)) {
        ASSERT_TRUE(expected == "yes" || expected == "no") << expected;
        EXPECT_EQ(*b, expected == "yes");
    } else if (auto* d = std::get_if<double>(&got)) {
        ASSERT_NE(expected, "none") << "a number was read: " << *d;
        EXPECT_DOUBLE_EQ(*d, std::strtod(expected.c_str(), nullptr));
    } else {
        EXPECT_EQ(expected, "none");
    }
}

TEST(TextCases, EveryRowOfTheTable) {
    const auto rows = testing::caseRows("core/text/text_cases.tsv");
    ASSERT_GT(rows.size(), 100u);
    for (const auto& f : rows) {
        ASSERT_EQ(f.size(), 6u) << f[0];
        const Case c{f[0], f[1], f[2], f[3], f[4], f[5]};
        SCOPED_TRACE(c.procedure + " of \"" + c.text + "\" (" + c.first + ", " + c.second + ", " +
                     c.options + ")");
        const auto p = procedures().find(c.procedure);
        ASSERT_NE(p, procedures().end()) << "unknown procedure";
        const FoldedText folded{std::string(c.text)};
        expectResult(p->second(c, folded.ref()), c.expected);
    }
}

// Single cases of these procedures beyond the table's rows.
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

TEST(FormatNumber, RoundTripsThroughTheUsersFormatWhateverTheProcessLocale) {
    for (double v : {-39.7268, 1.5e20, 1e-5, 0.4, 12345.678, 2.0 / 3.0})
        EXPECT_DOUBLE_EQ(*toDouble(formatNumber(v, ','), ','), v);
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "es_ES.UTF-8"})
        if ((chosen = std::setlocale(LC_ALL, name)))
            break;
    if (!chosen)
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(formatNumber(-39.7268), "-39.7268");
    EXPECT_DOUBLE_EQ(*toDouble("-0.123"), -0.123);
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    std::setlocale(LC_ALL, "C");
}

// One formula rule for every view and script export: the reviewed cases of
// formula_cases.tsv (written form, Hill order, why), each also unchanged when
// read again in Hill order.
TEST(HillFormula, ReviewedCasesAndAtomLists) {
    const auto cases = testing::caseRecords("core/text/formula_cases.tsv");
    EXPECT_GE(cases.size(), 15u);
    for (const auto& c : cases) {
        EXPECT_EQ(hillFormula(c["written"]), c["hill"]) << c["why"];
        EXPECT_EQ(hillFormula(c["hill"]), c["hill"]) << "Hill order read again: " << c["why"];
    }
    EXPECT_EQ(hillFormula(std::vector<std::string>{"O", "H", "H"}), "H2O");
    EXPECT_EQ(hillFormula(std::vector<std::string>{"H", "C", "", "Cl", "H", "H"}), "CH3Cl");
    EXPECT_EQ(hillFormula(std::vector<std::string>{}), "");
}

}  // namespace
}  // namespace zerlant
