// The record of the last Rename or Substitute run and its Undo: names and
// bytes come back exactly, and a file changed since the run makes Undo
// refuse without touching anything.

#include "core/inputtools/journal.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/files/filelock.hpp"
#include "core/files/filetext.hpp"
#include "core/inputtools/substitute.hpp"
#include "core/rename/renamerun.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using testing::TempDir;

using testing::readAll;

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
    EXPECT_NE(readAll(rows[1].path), kJobs[0].bytes);

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
        EXPECT_EQ(readAll(rows[i + 1].path), kJobs[i].bytes) << kJobs[i].name;
    struct stat st {};
    ASSERT_EQ(::stat(rows[1].path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(Journal, UndoRefusesWhenAFileChangedSinceAndChangesNothing) {
    TempDir dir;
    const FileRows rows = jobRows(dir);
    const Journal journal = substituteWithJournal(rows, {"B3LYP", "PBE0", true});
    const std::string edited = readAll(rows[2].path) + "edited by hand\n";
    dir.write("lf.gjf", edited);
    const std::string first = readAll(rows[1].path);

    const UndoOutcome undone = undoJournal(journal);
    EXPECT_TRUE(undone.refused());
    EXPECT_EQ(undone.changedSince, std::vector<std::string>{rows[2].path});
    EXPECT_EQ(undone.restored, 0);
    EXPECT_EQ(readAll(rows[1].path), first);  // still substituted
    EXPECT_EQ(readAll(rows[2].path), edited);

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
    const RenameOutcome outcome = executeRename(options, rows, MessageLookup{});
    ASSERT_EQ(outcome.renamed, 2);  // the third name holds " opt", not "_opt"

    Journal journal{JournalKind::Rename, {}};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].path == before[i].path)
            continue;
        auto stamp = stampOf(rows[i].path, false);
        ASSERT_TRUE(stamp);
        journal.entries.push_back({before[i].path, rows[i].path, {}, *stamp, true});
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
        EXPECT_EQ(readAll(before[i].path), std::string("bytes of ") + before[i].name);
    EXPECT_FALSE(std::filesystem::exists(dir.file("h2o_freq.gjf")));

    // Undone once: the same journal now finds the files moved back.
    EXPECT_TRUE(undoJournal(*loaded).refused());
}

TEST(Journal, RunCutShortUndoesWhatItDid) {
    TempDir dir;
    const FileRows rows = jobRows(dir);
    const SubstitutePlan plan = planSubstitution(rows, {"B3LYP", "M062X", false});
    ASSERT_EQ(plan.changes.size(), 3u);
    Journal journal{JournalKind::Substitute, {}};
    for (const PlannedFile& f : plan.changes)
        journal.entries.push_back({f.path, f.path, f.before, {f.after.size(), digestOf(f.after)}});
    TempDir cache;
    const std::string folder = cache.path().string();
    ASSERT_TRUE(saveJournal(folder, journal));

    // The run is killed after two files: the first marked, the second
    // rewritten but killed before its mark, the third never reached.
    SubstitutePlan cut = plan;
    cut.changes.resize(2);
    applySubstitution(cut, [&](std::size_t i) {
        if (i == 0) {
            ASSERT_TRUE(markJournalEntryDone(folder, i));
        }
    });
    auto loaded = loadJournal(folder);
    ASSERT_TRUE(loaded) << loaded.error().describe();
    EXPECT_TRUE(loaded->entries[0].done);
    EXPECT_FALSE(loaded->entries[1].done);
    const UndoOutcome undone = undoJournal(*loaded);
    EXPECT_FALSE(undone.refused());
    EXPECT_EQ(undone.restored, 2);
    EXPECT_EQ(undone.notReached, 1);
    for (std::size_t i = 0; i < kJobs.size(); ++i)
        EXPECT_EQ(readAll(rows[i + 1].path), kJobs[i].bytes) << kJobs[i].name;
}

TEST(Journal, DamagedJournalIsRefusedNeverWrittenBack) {
    TempDir cache;
    const std::string folder = cache.path().string();
    EXPECT_FALSE(loadJournal(folder));
    const Journal journal{
        JournalKind::Substitute,
        {{"/a:b\nc", "/a:b\nc", std::string("x\0y", 3), {3, 7}}, {"/d", "/d", "before", {5, 9}}}};
    ASSERT_TRUE(saveJournal(folder, journal));
    ASSERT_TRUE(markJournalEntryDone(folder, 1));
    auto loaded = loadJournal(folder);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->entries[0].path, "/a:b\nc");
    EXPECT_EQ(loaded->entries[0].before, std::string("x\0y", 3));
    EXPECT_EQ(loaded->entries[0].after.digest, 7u);
    EXPECT_FALSE(loaded->entries[0].done);
    EXPECT_TRUE(loaded->entries[1].done);

    // A flipped bit in every byte and every cut: refused, or (a cut inside the last
    // mark) the same record with fewer marks.  Never other bytes to restore.
    const std::string path = journalPath(folder);
    const std::string whole = readAll(path);
    auto sameRecord = [&](const Journal& j) {
        if (j.entries.size() != journal.entries.size())
            return false;
        for (std::size_t i = 0; i < j.entries.size(); ++i)
            if (j.entries[i].path != journal.entries[i].path ||
                j.entries[i].before != journal.entries[i].before ||
                !(j.entries[i].after == journal.entries[i].after))
                return false;
        return true;
    };
    auto put = [&path](const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    };
    for (std::size_t at = 0; at < whole.size(); ++at) {
        {
            const int bit = static_cast<int>(at % 8);
            std::string damaged = whole;
            damaged[at] = static_cast<char>(damaged[at] ^ (1 << bit));
            put(damaged);
            auto j = loadJournal(folder);
            // Only the last line end may go: the last mark is then unfinished.
            ASSERT_FALSE(j && (!sameRecord(*j) || at + 1 != whole.size()))
                << "bit " << bit << " of byte " << at;
        }
        put(whole.substr(0, at));
        auto j = loadJournal(folder);
        ASSERT_FALSE(j && !sameRecord(*j)) << "cut at " << at;
    }
    ASSERT_TRUE(clearJournal(folder));
    ASSERT_TRUE(clearJournal(folder));  // none left: still fine
}

// Another run holds a file, rewrites it and lets go: the run that waited
// finds it changed and leaves it alone instead of overwriting that change.
TEST(Journal, SecondSubstituteWaitsAndFindsTheFileChanged) {
    TempDir dir;
    const FileRows rows = jobRows(dir);
    const SubstitutePlan plan = planSubstitution(rows, {"B3LYP", "PBE0", false});
    auto held = FileLock::acquire(plan.changes[0].path);
    ASSERT_TRUE(held);
    SubstitutePlan first = plan;
    first.changes.resize(1);
    SubstituteOutcome outcome;
    std::thread waiting([&] { outcome = applySubstitution(first); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(writeFileAtomically(plan.changes[0].path, "the other run's text\n"));
    held = Error{};
    waiting.join();
    EXPECT_EQ(outcome.changed, 0);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, "changed since it was read");
    EXPECT_EQ(readAll(plan.changes[0].path), "the other run's text\n");
}

}  // namespace
}  // namespace zerlant
