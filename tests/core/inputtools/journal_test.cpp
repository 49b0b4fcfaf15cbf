// The record of the last Rename or Substitute run and its Undo: names and
// bytes come back exactly, and a file changed since the run makes Undo
// refuse without touching anything.

#include "core/inputtools/journal.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/files/filetext.hpp"
#include "core/inputtools/substitute.hpp"
#include "core/rename/renamerun.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using testing::TempDir;

std::string bytesOf(const std::string& path) {
    auto b = readFileBytes(path);
    return b ? *b : std::string("<unreadable>");
}

FileRow row(const std::string& path, bool checked = true) {
    FileRow r;
    r.checked = checked;
    r.name = std::filesystem::path(path).filename().string();
    r.path = path;
    return r;
}

// The files of one case: name, bytes, whether they hold "B3LYP".
struct JobFile {
    const char* name;
    std::string bytes;
};

const std::vector<JobFile> kJobs = {
    {"crlf.gjf", "%chk=a\r\n# opt B3LYP/6-31G\r\n\r\ntitle\r\n\r\n0 1\r\n"},
    {"lf.gjf", "# B3LYP/6-31G freq\n\nB3LYP twice\n"},
    {"without.gjf", "# hf/sto-3g\n\nno block here\n"},
    {"bytes.com", std::string("# B3LYP\n\0\xff\xfe end", 16)},
};

// Writes the job files, one of them with mode 0640, and ticks them all
// (with the heading row first).
FileRows jobRows(const TempDir& dir) {
    FileRows rows{FileRow{}};
    for (const JobFile& j : kJobs) rows.push_back(row(dir.write(j.name, j.bytes)));
    ::chmod(rows[1].path.c_str(), 0640);
    return rows;
}

// A Substitute run as the window makes it: plan, journal, then write.
Journal substituteWithJournal(const FileRows& rows, const SubstituteOptions& options,
                              SubstituteOutcome* outcome = nullptr) {
    const SubstitutePlan plan = planSubstitution(rows, options);
    Journal journal{JournalKind::Substitute, {}};
    for (const PlannedFile& f : plan.changes)
        journal.entries.push_back({f.path, f.path, f.before, {f.after.size(), digestOf(f.after)}});
    const SubstituteOutcome done = applySubstitution(plan);
    if (outcome)
        *outcome = done;
    return journal;
}

TEST(Journal, SubstituteCountsThenUndoRestoresBytesAndModes) {
    TempDir dir;
    const FileRows rows = jobRows(dir);
    SubstituteOptions options{"B3LYP", "M062X", false};
    const SubstitutePlan plan = planSubstitution(rows, options);
    EXPECT_EQ(plan.ticked, 4u);
    ASSERT_EQ(plan.changes.size(), 3u);  // "without.gjf" holds no block
    EXPECT_EQ(plan.changes[1].after, "# M062X/6-31G freq\n\nM062X twice\n");

    SubstituteOutcome outcome;
    const Journal journal = substituteWithJournal(rows, options, &outcome);
    EXPECT_EQ(outcome.changed, 3);
    EXPECT_EQ(outcome.unchanged, 1);
    EXPECT_NE(bytesOf(rows[1].path), kJobs[0].bytes);

    // Through the cache folder, as the window keeps it between runs.
    TempDir cache;
    const std::string folder = cache.file("zerlant");
    ASSERT_TRUE(saveJournal(folder, journal));
    auto loaded = loadJournal(folder);
    ASSERT_TRUE(loaded) << loaded.error().describe();
    const UndoOutcome undone = undoJournal(*loaded);
    EXPECT_FALSE(undone.refused());
    EXPECT_TRUE(undone.failures.empty());
    EXPECT_EQ(undone.restored, 3);
    for (std::size_t i = 0; i < kJobs.size(); ++i)
        EXPECT_EQ(bytesOf(rows[i + 1].path), kJobs[i].bytes) << kJobs[i].name;
    struct stat st {};
    ASSERT_EQ(::stat(rows[1].path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(Journal, UndoRefusesWhenAFileChangedSinceAndChangesNothing) {
    TempDir dir;
    const FileRows rows = jobRows(dir);
    const Journal journal = substituteWithJournal(rows, {"B3LYP", "PBE0", true});
    const std::string edited = bytesOf(rows[2].path) + "edited by hand\n";
    dir.write("lf.gjf", edited);
    const std::string first = bytesOf(rows[1].path);

    const UndoOutcome undone = undoJournal(journal);
    EXPECT_TRUE(undone.refused());
    EXPECT_EQ(undone.changedSince, std::vector<std::string>{rows[2].path});
    EXPECT_EQ(undone.restored, 0);
    EXPECT_EQ(bytesOf(rows[1].path), first);  // still substituted
    EXPECT_EQ(bytesOf(rows[2].path), edited);

    // A file removed since also refuses.
    std::filesystem::remove(rows[2].path);
    EXPECT_TRUE(undoJournal(journal).refused());
}

TEST(Journal, RenameUndoRestoresNamesAndRefusesWhenAFormerNameIsTaken) {
    TempDir dir;
    FileRows rows{FileRow{}};
    for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4 opt\nodd.gjf"})
        rows.push_back(row(dir.write(n, std::string("bytes of ") + n)));
    const FileRows before = rows;
    RenameOptions options;
    options.rule = RenameRule::Replace;
    options.replaceText = "_opt";
    options.replaceWith = "_freq";
    const RenameOutcome outcome = executeRename(options, rows, nullptr);
    ASSERT_EQ(outcome.renamed, 2);  // the third name holds " opt", not "_opt"

    Journal journal{JournalKind::Rename, {}};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].path == before[i].path)
            continue;
        auto stamp = stampOf(rows[i].path, false);
        ASSERT_TRUE(stamp);
        journal.entries.push_back({before[i].path, rows[i].path, {}, *stamp});
    }
    TempDir cache;
    ASSERT_TRUE(saveJournal(cache.path().string(), journal));
    auto loaded = loadJournal(cache.path().string());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->entries.size(), 2u);

    // The former name of one file was taken meanwhile: nothing moves.
    dir.write("nh3_opt.gjf", "a new file");
    UndoOutcome undone = undoJournal(*loaded);
    EXPECT_TRUE(undone.refused());
    EXPECT_TRUE(std::filesystem::exists(dir.file("h2o_freq.gjf")));
    std::filesystem::remove(dir.file("nh3_opt.gjf"));

    undone = undoJournal(*loaded);
    EXPECT_FALSE(undone.refused());
    EXPECT_EQ(undone.restored, 2);
    for (std::size_t i = 1; i < before.size(); ++i)
        EXPECT_EQ(bytesOf(before[i].path), std::string("bytes of ") + before[i].name);
    EXPECT_FALSE(std::filesystem::exists(dir.file("h2o_freq.gjf")));

    // Undone once: the same journal now finds the files moved back.
    EXPECT_TRUE(undoJournal(*loaded).refused());
}

TEST(Journal, DamagedOrMissingJournalIsAnError) {
    TempDir cache;
    EXPECT_FALSE(loadJournal(cache.path().string()));
    Journal journal{JournalKind::Substitute,
                    {{"/a:b\nc", "/a:b\nc", std::string("x\0y", 3), {3, 7}}}};
    ASSERT_TRUE(saveJournal(cache.path().string(), journal));
    auto loaded = loadJournal(cache.path().string());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->entries[0].path, "/a:b\nc");
    EXPECT_EQ(loaded->entries[0].before, std::string("x\0y", 3));
    EXPECT_EQ(loaded->entries[0].after.digest, 7u);

    const std::string path = journalPath(cache.path().string());
    const std::string whole = bytesOf(path);
    for (std::size_t cut : {std::size_t(5), whole.size() / 2, whole.size() - 1}) {
        ASSERT_TRUE(writeFileAtomically(path, whole.substr(0, cut)));
        EXPECT_FALSE(loadJournal(cache.path().string())) << cut;
    }
    ASSERT_TRUE(clearJournal(cache.path().string()));
    ASSERT_TRUE(clearJournal(cache.path().string()));  // none left: still fine
}

}  // namespace
}  // namespace zerlant
