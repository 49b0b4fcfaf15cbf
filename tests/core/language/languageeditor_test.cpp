#include "core/language/languageeditor.hpp"

#include <gtest/gtest.h>

#include "testsupport.hpp"

namespace zerlant {
namespace {

using Outcome = LanguageEditorModel::SaveOutcome;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

// Español misses a key; Deutsch lists its keys in its own order and holds one
// the first language lacks: each text stays with its own key.
const std::string kFile =
    "[idioma]\r\n"
    "idioma=English\r\n"
    "\r\n"
    "[English]\r\n"
    "1=Zerlant\r\n"
    "\r\n"
    "2=Language\r\n"
    "a line without an equals sign\r\n"
    "12=a=b\r\n"
    "[Español]\r\n"
    "1=Zerlant\r\n"
    "2=Idioma\r\n"
    "[Deutsch]\r\n"
    "2=Sprache\r\n"
    "1=Zerlant\r\n"
    "12=x\r\n"
    "13=beyond the last key\r\n";

LanguageEditorModel openModel(const TempDir& dir, const std::string& bytes = kFile) {
    std::string path = dir.write("idioma.lng", bytes);
    auto state = InitLanguages(path);
    EXPECT_TRUE(state.ok());
    auto model = LanguageEditorModel::open(*state);
    EXPECT_TRUE(model.ok());
    return std::move(model).value();
}

TEST(LanguageEditorTest, GridPairsTextsWithTheirKeys) {
    TempDir dir;
    LanguageEditorModel m = openModel(dir);
    ASSERT_EQ(m.rowCount(), 4);
    ASSERT_EQ(m.columnCount(), 4);
    EXPECT_EQ(m.cell(0, 1), "English");
    EXPECT_EQ(m.cell(0, 3), "Deutsch");
    EXPECT_EQ(m.cell(3, 0), "12");
    EXPECT_EQ(m.cell(3, 1), "a=b");
    EXPECT_EQ(m.cell(2, 2), "Idioma");
    EXPECT_EQ(m.cell(3, 2), "");         // a shorter section
    EXPECT_EQ(m.cell(1, 3), "Zerlant");  // by key, not by position
    EXPECT_EQ(m.cell(2, 3), "Sprache");
    EXPECT_EQ(m.cell(3, 3), "x");
    EXPECT_EQ(m.cell(9, 9), "");
    EXPECT_TRUE(m.isCurrentLanguage(1));
    EXPECT_FALSE(m.isCurrentLanguage(2));
    EXPECT_FALSE(m.isEditable(0, 1));
    EXPECT_FALSE(m.isEditable(2, 0));
    EXPECT_TRUE(m.isEditable(2, 3));
    EXPECT_FALSE(m.modified());
}

TEST(LanguageEditorTest, SaveWritesTheWholeFileInItsLayout) {
    TempDir dir;
    LanguageEditorModel m = openModel(dir);
    // Nothing modified: nothing written.
    auto r = m.save();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, Outcome::NothingToSave);
    EXPECT_EQ(readAll(dir.file("idioma.lng")), kFile);

    // A language chosen in the menu meanwhile is overwritten by the language
    // read at start-up.
    ASSERT_TRUE(SelectLanguage(dir.file("idioma.lng"), "Deutsch").ok());
    EXPECT_TRUE(m.setCell(2, 1, "Lang=uage\r\nx"));
    EXPECT_TRUE(m.modified());
    r = m.save();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, Outcome::Saved);
    EXPECT_FALSE(m.modified());
    EXPECT_EQ(readAll(dir.file("idioma.lng")),
              "[idioma]\r\nidioma=English\r\n\r\n"
              "[English]\r\n1=Zerlant\r\n2=Lang=uage  x\r\n12=a=b\r\n\r\n"
              "[Español]\r\n1=Zerlant\r\n2=Idioma\r\n12=\r\n\r\n"
              "[Deutsch]\r\n1=Zerlant\r\n2=Sprache\r\n12=x\r\n\r\n");
    EXPECT_EQ(GetMessage(dir.file("idioma.lng"), "English", "2"), "Lang=uage  x");
}

TEST(LanguageEditorTest, NewLanguageWithAndWithoutName) {
    TempDir dir;
    LanguageEditorModel m = openModel(dir);
    int col = m.addLanguage();
    ASSERT_EQ(col, 4);
    EXPECT_EQ(m.addLanguage(), -1);  // one new column at a time
    EXPECT_TRUE(m.isEditable(0, col));
    EXPECT_FALSE(m.isCurrentLanguage(col));
    EXPECT_TRUE(m.setCell(1, col, "Zerlant"));
    EXPECT_TRUE(m.setCell(2, col, "Langue"));

    // Without a name: the file is written without the new column, and the
    // editor stays on it.
    auto r = m.save();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, Outcome::NewLanguageWithoutName);
    EXPECT_TRUE(m.saveIncomplete());
    EXPECT_TRUE(m.modified());
    EXPECT_TRUE(m.newLanguageAdded());
    std::vector<std::string> names;
    EXPECT_EQ(ListLanguages(dir.file("idioma.lng"), names), 3);
    EXPECT_EQ(m.state().languageNames.size(), 3u);

    // With a name: written last, and known to the language menu.
    m.clearSaveIncomplete();
    EXPECT_TRUE(m.setCell(0, col, "Français"));
    r = m.save();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, Outcome::Saved);
    EXPECT_FALSE(m.newLanguageAdded());
    EXPECT_FALSE(m.isEditable(0, col));
    EXPECT_EQ(m.state().languageCount, 4);
    EXPECT_EQ(m.state().languageNames.back(), "Français");
    EXPECT_EQ(ListLanguages(dir.file("idioma.lng"), names), 4);
    EXPECT_EQ(GetMessage(dir.file("idioma.lng"), "français", "2"), "Langue");
    EXPECT_EQ(GetMessage(dir.file("idioma.lng"), "Français", "12"), "");
    // After a complete save another language may be added.
    EXPECT_EQ(m.addLanguage(), 5);
}

TEST(LanguageEditorTest, AtMostEightLanguages) {
    TempDir dir;
    std::string bytes = "[idioma]\r\nidioma=L1\r\n";
    for (int i = 1; i <= 8; ++i) bytes += "[L" + std::to_string(i) + "]\r\n1=x\r\n";
    LanguageEditorModel m = openModel(dir, bytes);
    EXPECT_EQ(m.languageCount(), 8);
    EXPECT_FALSE(m.canAddLanguage());
    EXPECT_EQ(m.addLanguage(), -1);

    // A file with only the settings section: an empty grid that still saves.
    LanguageEditorModel empty = openModel(dir, "[idioma]\r\nidioma=English\r\n");
    EXPECT_EQ(empty.rowCount(), 1);
    EXPECT_EQ(empty.columnCount(), 1);
    int col = empty.addLanguage();
    EXPECT_TRUE(empty.setCell(0, col, "English"));
    auto r = empty.save();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readAll(dir.file("idioma.lng")),
              "[idioma]\r\nidioma=English\r\n\r\n[English]\r\n\r\n");
}

TEST(LanguageEditorTest, SaveKeepsTheEncodingAndNeverTruncates) {
    TempDir dir;
    std::string cp1252 = "[idioma]\r\nidioma=Espa\xF1ol\r\n[Espa\xF1ol]\r\n1=A\xF1o\r\n";
    LanguageEditorModel m = openModel(dir, cp1252);
    EXPECT_EQ(m.cell(1, 1), "Año");
    EXPECT_TRUE(m.isCurrentLanguage(1));
    ASSERT_TRUE(m.setCell(1, 1, "Niño"));
    ASSERT_TRUE(m.save().ok());
    EXPECT_EQ(readAll(dir.file("idioma.lng")),
              "[idioma]\r\nidioma=Espa\xF1ol\r\n\r\n[Espa\xF1ol]\r\n1=Ni\xF1o\r\n\r\n");

    // A write that fails half-way leaves the file as it was.
    LanguageEditorModel big = openModel(dir, kFile);
    ASSERT_TRUE(big.setCell(1, 1, std::string(4000, 'x')));
    auto r = testing::withFileSizeLimit(1000, [&] { return big.save(); });
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(big.modified());
    EXPECT_EQ(readAll(dir.file("idioma.lng")), kFile);
}

}  // namespace
}  // namespace zerlant
