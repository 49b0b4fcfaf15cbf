#include "core/rename/renamerules.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <type_traits>

#include "core/rename/namechars.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

// The options of one row of rename_cases.tsv.
RenameOptions optionsOf(const std::string& text) {
    RenameOptions o;
    std::istringstream in(text);
    std::map<std::string, std::string> kv;
    for (std::string pair; in >> pair;) {
        const auto eq = pair.find('=');
        kv[pair.substr(0, eq)] = eq == std::string::npos ? "" : pair.substr(eq + 1);
    }
    auto pick = [&kv](const char* key, auto& field, std::map<std::string, int> names) {
        if (kv.count(key))
            field = static_cast<std::decay_t<decltype(field)>>(names.at(kv[key]));
    };
    pick("rule", o.rule,
         {{"insert", 0},
          {"delete", 1},
          {"remove", 2},
          {"replace", 3},
          {"extension", 4},
          {"case", 5},
          {"number", 6}});
    const std::map<std::string, int> placement{{"prefix", 0}, {"suffix", 1}, {"position", 2}};
    const std::map<std::string, int> which{{"all", 0}, {"first", 1}, {"last", 2}};
    pick("at", o.rule == RenameRule::Number ? o.numberAt : o.insertAt, placement);
    pick("which", o.rule == RenameRule::Remove ? o.removeWhich : o.replaceWhich, which);
    pick("from", o.deleteFrom, {{"position", 0}, {"delimiter", 1}});
    pick("to", o.deleteTo, {{"count", 0}, {"delimiter", 1}, {"end", 2}});
    pick("case", o.caseChange, {{"upper", 0}, {"lower", 1}, {"title", 2}, {"invert", 3}});
    auto text_ = [&kv](const char* key, std::string& field) {
        if (kv.count(key))
            field = kv[key];
    };
    const bool keep = kv["keepext"] == "1";
    o.insertKeepExtension = o.deleteKeepExtension = o.caseKeepExtension = o.numberKeepExtension =
        keep;
    text_("text", o.rule == RenameRule::Remove    ? o.removeText
                  : o.rule == RenameRule::Replace ? o.replaceText
                                                  : o.insertText);
    text_("with", o.replaceWith);
    text_("pos", o.rule == RenameRule::Number ? o.numberPosition : o.insertPosition);
    text_("frompos", o.deleteFromPosition);
    text_("tocount", o.deleteToCount);
    text_("fromdelim", o.deleteFromDelimiter);
    text_("todelim", o.deleteToDelimiter);
    text_("ext", o.newExtension);
    text_("start", o.numberStart);
    text_("width", o.numberWidth);
    text_("fill", o.numberFill);
    return o;
}

TEST(RenameRules, ReviewedCases) {
    const auto rows = testing::caseRows("core/rename/rename_cases.tsv");
    ASSERT_GT(rows.size(), 50u);
    for (const auto& f : rows) {
        ASSERT_EQ(f.size(), 4u) << f[0];
        const auto name = previewName(optionsOf(f[0]), f[1], std::stoi(f[2]));
        EXPECT_EQ(name.value_or("<none>"), f[3]) << f[0] << " | " << f[1];
    }
}

TEST(RenameRules, WordCharacters) {
    EXPECT_TRUE(esletraodigito(U'a'));
    EXPECT_TRUE(esletraodigito(U'7'));
    EXPECT_FALSE(esletraodigito(U'_'));
    EXPECT_TRUE(esletraodigito(U'\u2014'));   // 151
    EXPECT_FALSE(esletraodigito(U'\u02DC'));  // 152
    EXPECT_TRUE(esletraodigito(U'\u00E9'));   // 233, a letter
    EXPECT_FALSE(esletraodigito(U'\u00D7'));  // 215, the multiplication sign
    EXPECT_TRUE(esletraodigito(U'\u0416'));   // Cyrillic, no Windows-1252 code
    EXPECT_EQ(encodeName(decodeName("a\xc3\x28z\xe9")), "a\xc3\x28z\xe9");
}

TEST(RenameRules, NumberingCountsEveryRowAndRemoveWithoutTextKeepsThePreview) {
    RenameOptions o;
    o.rule = RenameRule::Number;
    o.numberStart = "9";
    o.numberWidth = "2";
    FileRows rows(4);
    rows[1] = {true, "a.gjf", "/x/a.gjf", ""};
    rows[2] = {false, "b.gjf", "/x/b.gjf", ""};  // unchecked: still numbered
    rows[3] = {true, "c.gjf", "/x/c.gjf", ""};
    preview(o, rows);
    EXPECT_EQ(rows[0].newName, "");
    EXPECT_EQ(rows[1].newName, "09a.gjf");
    EXPECT_EQ(rows[2].newName, "10b.gjf");
    EXPECT_EQ(rows[3].newName, "11c.gjf");
    EXPECT_EQ(boxNumber(" 2 "), 2);  // blanks around a box's number are allowed
    o = RenameOptions{};
    o.rule = RenameRule::Remove;
    preview(o, rows);
    EXPECT_EQ(rows[1].newName, "09a.gjf");
}

}  // namespace
}  // namespace zerlant
