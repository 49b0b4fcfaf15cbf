#include "core/rename/renamerules.hpp"

#include <gtest/gtest.h>

#include "core/rename/namechars.hpp"

namespace zerlant {
namespace {

std::string run(const RenameOptions& o, const std::string& name, int row = 1) {
    auto out = previewName(o, name, row);
    return out ? *out : "<skipped>";
}

TEST(RenameRules, Insert) {
    RenameOptions o;
    o.insertText = "X_";
    EXPECT_EQ(run(o, "h2o.gjf"), "X_h2o.gjf");
    o.insertAt = Placement::Suffix;
    EXPECT_EQ(run(o, "h2o.gjf"), "h2o.gjfX_");
    o.insertKeepExtension = true;
    EXPECT_EQ(run(o, "h2o.gjf"), "h2oX_.gjf");
    EXPECT_EQ(run(o, "a.b.gjf"), "a.bX_.gjf");
    EXPECT_EQ(run(o, "README"), "READMEX_");  // no dot: all base, no extension
    o.insertAt = Placement::Position;
    o.insertPosition = "1";
    EXPECT_EQ(run(o, "h2o.gjf"), "X_h2o.gjf");  // position 1 equals prefix
    o.insertPosition = "3";
    EXPECT_EQ(run(o, "h2o.gjf"), "h2X_o.gjf");
    o.insertPosition = "50";
    EXPECT_EQ(run(o, "h2o.gjf"), "h2o.gjfX_");  // beyond the end: appended, extension included
    // Characters, not bytes.
    o.insertPosition = "2";
    EXPECT_EQ(run(o, "ñu.gjf"), "ñX_u.gjf");
    // Positions below 1, not whole, or beyond 16 bits: no new name.
    for (const char* bad : {"0", "-3", "1.5", "abc", "", "40000"}) {
        o.insertPosition = bad;
        EXPECT_EQ(run(o, "h2o.gjf"), "") << bad;
    }
    o.insertPosition = " 2 ";
    EXPECT_EQ(run(o, "ab"), "aX_b");
}

TEST(RenameRules, DeleteByPositionAndDelimiter) {
    RenameOptions o;
    o.rule = RenameRule::Delete;
    o.deleteFromPosition = "2";
    o.deleteToCount = "3";
    EXPECT_EQ(run(o, "abcdef"), "aef");
    o.deleteToCount = "1";
    EXPECT_EQ(run(o, "abcdef"), "acdef");
    o.deleteTo = DeleteTo::End;
    EXPECT_EQ(run(o, "abcdef"), "a");
    o.deleteFromPosition = "9";  // beyond the end: nothing to delete
    EXPECT_EQ(run(o, "abcdef"), "abcdef");

    o.deleteFrom = DeleteFrom::Delimiter;
    o.deleteTo = DeleteTo::Delimiter;
    EXPECT_EQ(run(o, "a-b-c"), "ac");
    o.deleteToDelimiter = "x";
    EXPECT_EQ(run(o, "a-bc"), "abc");  // To delimiter absent: only the '-' goes
    EXPECT_EQ(run(o, "abc"), "abc");   // From delimiter absent: unchanged
    o.deleteFromDelimiter = "B";       // case-blind
    o.deleteTo = DeleteTo::End;
    EXPECT_EQ(run(o, "xxbyy"), "xx");

    // The extension set aside.
    o.deleteKeepExtension = true;
    EXPECT_EQ(run(o, "xxbyy.b"), "xx.b");
    EXPECT_EQ(run(o, "yy.b"), "yy.b");  // delimiter only in the extension: unchanged
    o.deleteFrom = DeleteFrom::Position;
    o.deleteFromPosition = "1";
    EXPECT_EQ(run(o, "abc"), "");  // no dot: all base, everything deleted

    o.deleteTo = DeleteTo::Count;
    o.deleteToCount = "0";
    EXPECT_EQ(run(o, "abc.d"), "");  // a count below 1 gives no new name
}

TEST(RenameRules, RemoveAndReplace) {
    RenameOptions o;
    o.rule = RenameRule::Remove;
    o.removeText = "ab";
    EXPECT_EQ(run(o, "aabb.txt"), ".txt");  // the cut brings a new "ab" together
    o.removeText = "ABC";
    o.removeWhich = Occurrence::First;
    EXPECT_EQ(run(o, "xabcx"), "xx");
    EXPECT_EQ(run(o, "xyz"), "");
    o.removeText = "_";
    o.removeWhich = Occurrence::Last;
    EXPECT_EQ(run(o, "a_b_c"), "a_bc");
    o.removeText = "";
    EXPECT_FALSE(previewName(o, "a_b", 1).has_value());  // an empty text: row left as it was

    o.rule = RenameRule::Replace;
    o.replaceText = "x";
    o.replaceWith = "y";
    o.replaceWhich = Occurrence::First;
    EXPECT_EQ(run(o, "abc"), "");
    EXPECT_EQ(run(o, "xAxX"), "yAxX");
    o.replaceWhich = Occurrence::Last;
    EXPECT_EQ(run(o, "xAxX"), "xAxy");
    o.replaceWhich = Occurrence::All;
    EXPECT_EQ(run(o, "xAxX"), "yAyy");
    o.replaceText = "ab";
    o.replaceWith = "";
    EXPECT_EQ(run(o, "aabb.txt"), ".txt");  // as replacing the first again and again
    o.replaceWith = "a";
    EXPECT_EQ(run(o, "aabb"), "aa");

    // The replacement holds the searched text: the search goes on after it.
    o.replaceText = "a";
    o.replaceWith = "A";
    EXPECT_EQ(run(o, "banana"), "bAnAnA");
    o.replaceWith = "aa";
    EXPECT_EQ(run(o, "aXa"), "aaXaa");
    // Replacements that keep building new occurrences still end.
    o.replaceText = "ab";
    o.replaceWith = "bbaa";
    EXPECT_EQ(run(o, "aab"), "");
    o.replaceText = "";
    EXPECT_FALSE(previewName(o, "abc", 1).has_value());
}

TEST(RenameRules, ExtensionAndCase) {
    RenameOptions o;
    o.rule = RenameRule::Extension;
    o.newExtension = "com";
    EXPECT_EQ(run(o, "a.b.gjf"), "a.b.com");
    EXPECT_EQ(run(o, "README"), "README.com");
    o.newExtension = "";
    EXPECT_EQ(run(o, "h2o.gjf"), "h2o.");

    o.rule = RenameRule::Case;
    o.caseChange = CaseChange::Title;
    EXPECT_EQ(run(o, "el_gato negro.txt"), "El_Gato Negro.Txt");
    o.caseKeepExtension = true;
    EXPECT_EQ(run(o, "el_gato negro.txt"), "El_Gato Negro.txt");
    EXPECT_EQ(run(o, "el gato"), "El Gato");  // no dot: all base
    o.caseKeepExtension = false;
    o.caseChange = CaseChange::Invert;
    EXPECT_EQ(run(o, "el_gato negro.txt"), "eL_gATO nEGRO.tXT");
    o.caseChange = CaseChange::Upper;
    EXPECT_EQ(run(o, "ácido_ñ.log"), "ÁCIDO_Ñ.LOG");
    o.caseChange = CaseChange::Lower;
    EXPECT_EQ(run(o, "ÁCIDO_Ñ.LOG"), "ácido_ñ.log");
    o.caseChange = CaseChange::Title;
    EXPECT_EQ(run(o, "ΑΛΦΑ βήτα"), "Αλφα Βήτα");  // letters of other alphabets are word characters
    EXPECT_EQ(run(o, "título ñandú-ÉTER.log"), "Título Ñandú-Éter.Log");  // and accented ones
    // Bytes that are not UTF-8 pass through unchanged.
    EXPECT_EQ(run(o, std::string("a\xff") + "b"), std::string("A\xff") + "B");
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

TEST(RenameRules, NumberingCountsEveryRow) {
    EXPECT_EQ(numeroconrelleno(7, 3, "0"), "007");
    EXPECT_EQ(numeroconrelleno(5, 0, "0"), "5");
    EXPECT_EQ(numeroconrelleno(12345, 7, "x"), "xx12345");

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

    o.numberAt = Placement::Suffix;
    o.numberKeepExtension = true;
    o.numberStart = "1";
    o.numberWidth = "3";
    EXPECT_EQ(run(o, "h2o.gjf", 2), "h2o002.gjf");
    o.numberAt = Placement::Position;
    o.numberPosition = "2";
    EXPECT_EQ(run(o, "h2o.gjf", 1), "h0012o.gjf");
    o.numberWidth = "-1";
    EXPECT_EQ(run(o, "h2o.gjf", 1), "");

    // Remove with an empty text keeps the earlier preview of the row.
    o = RenameOptions{};
    o.rule = RenameRule::Remove;
    preview(o, rows);
    EXPECT_EQ(rows[1].newName, "09a.gjf");
}

}  // namespace
}  // namespace zerlant
