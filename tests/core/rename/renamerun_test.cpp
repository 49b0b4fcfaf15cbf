#include "core/rename/renamerun.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "testsupport.hpp"

namespace zerlant {
namespace {

using testing::filesIn;
using testing::readAll;
using testing::TempDir;
namespace fs = std::filesystem;

// A list of the given files of the folder, all checked, each file holding its
// own name so that a lost or overwritten file shows.
FileRows listOf(const TempDir& dir, std::initializer_list<std::string> names) {
    FileRows rows(1);
    rows[0].name = "heading";
    for (const auto& n : names) {
        dir.write(n, "content of " + n);
        rows.push_back({true, n, dir.file(n), ""});
    }
    return rows;
}

std::vector<int> messagesOf(const std::vector<RenameWarning>& w) {
    std::vector<int> out;
    for (const auto& x : w) out.push_back(messageNumber(x.message));
    return out;
}

TEST(RenameRun, RenamesAndUpdatesRows) {
    TempDir dir;
    FileRows rows = listOf(dir, {"h2o.gjf", "nh3.gjf"});
    rows[2].checked = false;
    RenameOptions o;
    o.insertText = "opt_";
    RenameOutcome out = executeRename(o, rows, testing::numberedMessage);
    EXPECT_TRUE(out.warnings.empty());
    EXPECT_TRUE(out.failures.empty());
    EXPECT_EQ(out.renamed, 1);
    EXPECT_EQ(rows[1].name, "opt_h2o.gjf");
    EXPECT_EQ(rows[1].newName, "");
    EXPECT_EQ(rows[1].path, dir.file("opt_h2o.gjf"));
    EXPECT_EQ(rows[2].name, "nh3.gjf");
    EXPECT_EQ(rows[2].newName, "opt_nh3.gjf");  // unchecked rows keep their preview
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"opt_h2o.gjf", "nh3.gjf"}));
    EXPECT_EQ(readAll(dir.file("opt_h2o.gjf")), "content of h2o.gjf");

    // A second run previews afresh from the new names.
    rows[2].checked = true;
    out = executeRename(o, rows, testing::numberedMessage);
    EXPECT_EQ(out.renamed, 2);
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"opt_opt_h2o.gjf", "opt_nh3.gjf"}));
}

TEST(RenameRun, ChecksLeaveRowsOut) {
    TempDir dir;
    FileRows rows = listOf(dir, {"a.gjf", "a.com", "b.log", "other.txt", "c.out"});
    rows[5].checked = false;  // unchanged but unchecked: no warning
    dir.write("b.out", "content of b.out");
    RenameOptions o;
    o.rule = RenameRule::Extension;
    o.newExtension = "out";
    auto out = executeRename(o, rows, testing::numberedMessage);
    // a.gjf and a.com -> a.out twice (150); b.log -> b.out exists (153);
    // other.txt -> other.out is fine.
    EXPECT_EQ(messagesOf(out.warnings), (std::vector<int>{150, 153}));
    EXPECT_EQ(out.warnings[0].text, "m150\nm151");
    EXPECT_FALSE(rows[1].checked);
    EXPECT_FALSE(rows[2].checked);
    EXPECT_FALSE(rows[3].checked);
    EXPECT_EQ(out.renamed, 1);
    EXPECT_EQ(filesIn(dir),
              (std::set<std::string>{"a.gjf", "a.com", "b.log", "other.out", "b.out", "c.out"}));
    EXPECT_EQ(readAll(dir.file("b.out")), "content of b.out");

    // Empty and unchanged new names, and names that would leave the folder.
    FileRows more = listOf(dir, {"x1.gjf", "y1.gjf", "z_1.gjf"});
    o = RenameOptions{};
    o.rule = RenameRule::Replace;
    o.replaceText = "1";
    o.replaceWhich = Occurrence::First;
    o.replaceWith = "1";  // unchanged
    auto before = filesIn(dir);
    out = executeRename(o, more, testing::numberedMessage);
    EXPECT_EQ(messagesOf(out.warnings), (std::vector<int>{152}));
    EXPECT_EQ(out.renamed, 0);
    o.replaceText = "_";
    o.replaceWith = "/../";
    more = listOf(dir, {"z_1.gjf"});
    out = executeRename(o, more, testing::numberedMessage);
    EXPECT_EQ(messagesOf(out.warnings), (std::vector<int>{152}));
    EXPECT_EQ(filesIn(dir), before);
}

TEST(RenameRun, SwapsAndChainsNeverOverwrite) {
    TempDir dir;
    FileRows rows = listOf(dir, {"a", "b"});
    rows[1].newName = "b";
    rows[2].newName = "a";
    auto warnings = checkRenames(rows, RenameRule::Replace, testing::numberedMessage);
    EXPECT_EQ(messagesOf(warnings), (std::vector<int>{153}));
    EXPECT_FALSE(rows[1].checked);
    EXPECT_FALSE(rows[2].checked);

    // A target that appears after the checks (an earlier row of the same run
    // renamed onto it) is refused, reported, and the run goes on.
    rows = listOf(dir, {"p", "q", "r"});
    rows[1].newName = "s";
    rows[2].newName = "t";
    rows[3].newName = "u";
    EXPECT_TRUE(checkRenames(rows, RenameRule::Replace, testing::numberedMessage).empty());
    dir.write("t", "created meanwhile");
    int renamed = 0;
    auto failures = applyRenames(rows, &renamed);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].row, 2u);
    EXPECT_EQ(failures[0].from, dir.file("q"));
    EXPECT_EQ(renamed, 2);
    EXPECT_EQ(readAll(dir.file("t")), "created meanwhile");
    EXPECT_EQ(readAll(dir.file("q")), "content of q");
    EXPECT_EQ(rows[2].name, "q");
    EXPECT_EQ(rows[3].name, "u");
}

TEST(RenameRun, CaseRuleNextToFileOfOtherCase) {
    TempDir dir;
    FileRows rows = listOf(dir, {"h2o.gjf", "nh3.gjf"});
    dir.write("H2O.GJF", "content of H2O.GJF");
    RenameOptions o;
    o.rule = RenameRule::Case;
    o.caseChange = CaseChange::Upper;
    auto out = executeRename(o, rows, testing::numberedMessage);
    // h2o.gjf -> H2O.GJF would replace the other file: left out.
    // nh3.gjf -> NH3.GJF is fine.
    EXPECT_EQ(messagesOf(out.warnings), (std::vector<int>{153}));
    EXPECT_FALSE(rows[1].checked);
    EXPECT_EQ(out.renamed, 1);
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"h2o.gjf", "H2O.GJF", "NH3.GJF"}));
    EXPECT_EQ(readAll(dir.file("h2o.gjf")), "content of h2o.gjf");
    EXPECT_EQ(readAll(dir.file("H2O.GJF")), "content of H2O.GJF");

    // Two names of one file (a hard link) pass the check as the same file,
    // and still neither name is lost.
    TempDir other;
    FileRows linked = listOf(other, {"a.txt"});
    ASSERT_EQ(::link(other.file("a.txt").c_str(), other.file("A.TXT").c_str()), 0);
    out = executeRename(o, linked, testing::numberedMessage);
    EXPECT_TRUE(out.warnings.empty());
    ASSERT_EQ(out.failures.size(), 1u);
    EXPECT_EQ(filesIn(other), (std::set<std::string>{"a.txt", "A.TXT"}));
}

TEST(RenameRun, RefusedRenameMidRun) {
    TempDir dir;
    fs::create_directory(dir.path() / "locked");
    FileRows rows = listOf(dir, {"one.gjf", "two.gjf", "three.gjf"});
    dir.write("locked/mid.gjf", "mid");
    rows.insert(rows.begin() + 2, FileRow{true, "mid.gjf", dir.file("locked/mid.gjf"), ""});
    fs::permissions(dir.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    fs::remove(dir.path() / "three.gjf");  // gone before the run
    RenameOptions o;
    o.insertText = "new_";
    auto out = executeRename(o, rows, testing::numberedMessage);
    fs::permissions(dir.path() / "locked", fs::perms::owner_all);
    EXPECT_TRUE(out.warnings.empty());
    // A superuser may rename in a read-only folder; the missing file always fails.
    bool lockedHolds = ::geteuid() != 0;
    EXPECT_EQ(out.renamed, lockedHolds ? 2 : 3);
    ASSERT_EQ(out.failures.size(), lockedHolds ? 2u : 1u);
    EXPECT_EQ(out.failures.back().from, dir.file("three.gjf"));
    EXPECT_EQ(rows[1].name, "new_one.gjf");
    EXPECT_EQ(rows[3].name, "new_two.gjf");
    EXPECT_TRUE(fs::exists(dir.path() / "new_two.gjf"));
    if (lockedHolds) {
        EXPECT_EQ(out.failures[0].row, 2u);
        EXPECT_EQ(readAll(dir.file("locked/mid.gjf")), "mid");
    }
}

TEST(RenameRun, RenameNoReplace) {
    TempDir dir;
    dir.write("x", "x");
    dir.write("y", "y");
    EXPECT_FALSE(renameNoReplace(dir.file("x"), dir.file("y")));
    EXPECT_EQ(readAll(dir.file("y")), "y");
    EXPECT_TRUE(renameNoReplace(dir.file("x"), dir.file("z")));
    EXPECT_EQ(readAll(dir.file("z")), "x");
    EXPECT_FALSE(fs::exists(dir.path() / "x"));
}

}  // namespace
}  // namespace zerlant
