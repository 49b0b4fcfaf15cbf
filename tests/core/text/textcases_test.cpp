// Runs every row of text_cases.tsv: the text and number procedures on
// reviewed inputs and their expected results.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <variant>

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

}  // namespace
}  // namespace zerlant
