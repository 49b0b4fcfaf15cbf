#include "core/language/languagefile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "testsupport.hpp"

namespace zerlant {
namespace {

using zerlant::testing::readAll;
using zerlant::testing::TempDir;

const std::string kSample =
    "[idioma]\r\n"
    "idioma=English\r\n"
    "[Español]\r\n"
    "1=Zerlant\r\n"
    "2=Idioma\r\n"
    "\r\n"
    "[English]\r\n"
    "1=Zerlant\r\n"
    "\r\n"
    "2=Language\r\n"
    "12=a=b\r\n"
    "no equals sign here\r\n"
    "3= Print \r\n"
    "[English]\r\n"
    "4=second section of the same name\r\n";

TEST(LanguageFileTest, GetMessageFindsTextsByCaseBlindSectionAndKey) {
    TempDir dir;
    std::string path = dir.write("idioma.lng", kSample);

    for (const auto& c : testing::caseRows("core/language/lookup_cases.tsv")) {
        ASSERT_EQ(c.size(), 3u);
        EXPECT_EQ(GetMessage(path, c[0], c[1]), c[2]) << c[0] << " " << c[1];
    }
    EXPECT_EQ(GetMessage(dir.file("missing.lng"), "English", "1"), "");

    auto file = LanguageFile::load(path);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->currentLanguage(), "English");
    MessageLookup msg = file->lookup("english");
    file = Error{"gone", ""};  // the lookup keeps its own copy
    EXPECT_EQ(msg.byNumber(12), "a=b");
    EXPECT_EQ(msg.byNumber(2), "Language");
    EXPECT_EQ(msg.byNumber(4), "");
    EXPECT_EQ(msg.byNumber(999), "");
}

TEST(LanguageFileTest, LfAndCrLfAndLoneCrReadAlike) {
    std::string lf = "[idioma]\nidioma=English\n[English]\n1=Zerlant\n2=x=y";
    std::string cr = "[idioma]\ridioma=English\r[English]\r1=Zerlant\r2=x=y\r";
    for (const auto& bytes : {lf, cr}) {
        LanguageFile f = LanguageFile::fromBytes(bytes);
        EXPECT_EQ(f.message("English", 1), "Zerlant");
        EXPECT_EQ(f.message("English", 2), "x=y");
        EXPECT_EQ(f.currentLanguage(), "English");
    }
}

TEST(LanguageFileTest, ListLanguagesAndLanguageExists) {
    TempDir dir;
    std::string path = dir.write("idioma.lng", kSample);
    std::vector<std::string> names;
    EXPECT_EQ(ListLanguages(path, names), 3);
    EXPECT_EQ(names, (std::vector<std::string>{"Español", "English", "English"}));
    EXPECT_TRUE(LanguageExists(path, "IDIOMA"));
    EXPECT_TRUE(LanguageExists(path, "español"));
    EXPECT_FALSE(LanguageExists(path, "Deutsch"));

    // Only the settings section: no languages, the menu has only the
    // separator and the editor entry.
    std::string only = dir.write("only.lng", "[idioma]\r\nidioma=English\r\n");
    names.clear();
    EXPECT_EQ(ListLanguages(only, names), 0);
    EXPECT_TRUE(names.empty());
    auto state = InitLanguages(only);
    ASSERT_TRUE(state.ok());
    EXPECT_EQ(state->languageCount, 0);
    EXPECT_EQ(state->currentLanguage, "English");

    std::string none = dir.write("none.lng", "1=a\r\n");
    EXPECT_EQ(ListLanguages(none, names), -1);

    // The section name is the header without its first and last character,
    // untrimmed.
    LanguageFile odd = LanguageFile::fromBytes("[idioma]\n[ Odd ]\n[x\n");
    EXPECT_EQ(odd.languages(), (std::vector<std::string>{" Odd ", ""}));

    state = InitLanguages(path);
    ASSERT_TRUE(state.ok());
    EXPECT_EQ(state->languageCount, 3);
    EXPECT_FALSE(state->isCurrent(0));
    EXPECT_TRUE(state->isCurrent(1));
    EXPECT_EQ(state->helpFilePath("English"), dir.file("English.chm"));
    EXPECT_FALSE(InitLanguages(dir.file("missing.lng")).ok());
}

TEST(LanguageFileTest, WriteKeyChangesOnlyItsEntry) {
    for (const auto& c : testing::caseRecords("core/language/writekey_cases.tsv")) {
        TempDir dir;
        const std::string path = dir.write("idioma.lng", c["before"]);
        ASSERT_TRUE(WriteKey(path, c["section"], c["key"], c["text"]).ok()) << c.source;
        EXPECT_EQ(readAll(path), c["after"]) << c.source;
        EXPECT_EQ(GetMessage(path, c["section"], c["key"]), c["reads"]) << c.source;
        EXPECT_EQ(testing::filesIn(dir), std::set<std::string>{"idioma.lng"}) << c.source;
    }
    // AddSection of an existing name (any case) leaves the file as it is.
    TempDir dir;
    const std::string before = "[idioma]\r\n[Deutsch]\r\n1=Eins\r\n";
    const std::string path = dir.write("idioma.lng", before);
    ASSERT_TRUE(AddSection(path, "DEUTSCH").ok());
    EXPECT_EQ(readAll(path), before);
    ASSERT_TRUE(AddSection(path, "Français").ok());
    EXPECT_EQ(readAll(path), before + "\r\n[Français]\r\n");
}

TEST(LanguageFileTest, SelectLanguageRecordsOnlyKnownLanguages) {
    TempDir dir;
    std::string path = dir.write("idioma.lng", kSample);
    auto r = SelectLanguage(path, "Deutsch");
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(*r);
    EXPECT_EQ(readAll(path), kSample);

    r = SelectLanguage(path, "español");
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(*r);
    EXPECT_EQ(GetMessage(path, "idioma", "idioma"), "español");
    EXPECT_EQ(GetMessage(path, "English", "12"), "a=b");
}

TEST(LanguageFileTest, Windows1252IsReadAndWrittenBackInItsEncoding) {
    TempDir dir;
    // "Español" and "Página" in Windows-1252, with a euro sign (0x80).
    std::string bytes = "[idioma]\r\nidioma=Espa\xF1ol\r\n[Espa\xF1ol]\r\n1=P\xE1gina \x80\r\n";
    std::string path = dir.write("idioma.lng", bytes);
    auto f = LanguageFile::load(path);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(f->currentLanguage(), "Español");
    EXPECT_EQ(f->message("ESPAÑOL", 1), "Página €");
    EXPECT_EQ(f->encode(), bytes);

    ASSERT_TRUE(WriteKey(path, "Español", "2", "Año").ok());
    EXPECT_EQ(readAll(path), bytes + "2=A\xF1o\r\n");

    // A text the code page cannot hold is not lost: the file becomes UTF-8.
    ASSERT_TRUE(WriteKey(path, "Español", "3", "Ω").ok());
    EXPECT_EQ(GetMessage(path, "Español", "3"), "Ω");
    EXPECT_EQ(GetMessage(path, "Español", "2"), "Año");

    // UTF-8 with a byte-order mark keeps it.
    std::string bom = "\xEF\xBB\xBF[idioma]\r\nidioma=English\r\n";
    LanguageFile u = LanguageFile::fromBytes(bom);
    EXPECT_EQ(u.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(u.currentLanguage(), "English");
    EXPECT_EQ(u.encode(), bom);
}

TEST(LanguageFileTest, WriteFailingHalfWayLeavesTheFileIntact) {
    // A disk that fills up half-way through the write (the file size
    // limit stands in for it, and holds for root too).
    TempDir dir;
    std::string path = dir.write("idioma.lng", kSample);
    Status st =
        testing::withFileSizeLimit(40, [&] { return WriteKey(path, "English", "2", "Changed"); });
    EXPECT_FALSE(st.ok());
    EXPECT_EQ(readAll(path), kSample);
    EXPECT_EQ(testing::filesIn(dir), std::set<std::string>{"idioma.lng"});
    // A missing file is not created by writing a key.
    EXPECT_FALSE(WriteKey(dir.file("missing.lng"), "English", "1", "x").ok());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.lng")));
}

TEST(LanguageFileTest, UnwritableFolderLeavesTheFileIntact) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    std::string path = dir.write("idioma.lng", kSample);
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(WriteKey(path, "English", "2", "Changed").ok());
    EXPECT_FALSE(AddSection(path, "Deutsch").ok());
    auto r = SelectLanguage(path, "Español");
    EXPECT_FALSE(r.ok());
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(readAll(path), kSample);
}

TEST(LanguageFileTest, ProgramFolderPrefersAWritableExecutableFolder) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "bin");
    fs::create_directories(dir.path() / "share");
    fs::create_directories(dir.path() / "home");
    dir.write("share/idioma.lng", "[idioma]\r\nidioma=English\r\n");

    ProgramFolderInputs in;
    in.executableFolder = dir.file("bin");
    in.home = dir.file("home");
    in.installedDataFolder = dir.file("share");

    // Installed: the user's copy is seeded from the installed one.
    auto folder = locateProgramFolder(in);
    ASSERT_TRUE(folder.ok()) << folder.error().describe();
    EXPECT_EQ(*folder, dir.file("home/.local/share/zerlant"));
    EXPECT_EQ(readAll(*folder + "/idioma.lng"), "[idioma]\r\nidioma=English\r\n");
    // Once seeded the user's copy is used as it is.
    dir.write("home/.local/share/zerlant/idioma.lng", "[idioma]\r\nidioma=Español\r\n");
    EXPECT_EQ(*locateProgramFolder(in), dir.file("home/.local/share/zerlant"));
    EXPECT_EQ(GetMessage(*folder + "/idioma.lng", "idioma", "idioma"), "Español");

    // XDG_DATA_HOME wins over HOME when absolute.
    in.xdgDataHome = dir.file("xdg");
    EXPECT_EQ(*locateProgramFolder(in), dir.file("xdg/zerlant"));
    in.xdgDataHome = "relative/path";
    EXPECT_EQ(*locateProgramFolder(in), dir.file("home/.local/share/zerlant"));

    // A build tree: the file beside the executable.
    dir.write("bin/idioma.lng", "[idioma]\r\n");
    EXPECT_EQ(*locateProgramFolder(in), dir.file("bin"));

    // Nothing anywhere.
    ProgramFolderInputs empty;
    empty.executableFolder = dir.file("home");
    empty.home = dir.file("nohome");
    EXPECT_FALSE(locateProgramFolder(empty).ok());
}

}  // namespace
}  // namespace zerlant
