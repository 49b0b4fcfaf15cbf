// Jobs sorted by health: every real output lands where the reviewed table
// says; a job moves whole with its companions or not at all, never onto a
// file; Undo puts back what the run moved and takes the folders it made.

#include "core/sortjobs/sortjobs.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport.hpp"

namespace zerlant {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

constexpr const char* kNames[] = {"done", "failed", "imaginary", "running"};

TEST(SortJobs, RealOutputsSortAsReviewed) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    const auto rows = testing::caseRows("golden/sortjobs.tsv");
    ASSERT_GT(rows.size(), 150u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 2u);
        const JobOutcome outcome = outcomeOf(testing::readAll(dir / row[0]));
        EXPECT_EQ(kNames[static_cast<int>(outcome)], row[1]) << row[0];
    }
}

const std::string kDone = " #p opt freq b3lyp/3-21g\n ---\n Normal termination of Gaussian 16\n";
const std::string kFailed =
    " #p b3lyp\n ---\n Error termination via Lnk1e in /g16/l502.exe at Mon Dec  7\n";
const std::string kRunning = " #p opt b3lyp\n ---\n Step number   4\n";

TEST(SortJobs, WholeJobsNeverOntoAFileAndUndoPutsBack) {
    TempDir dir;
    dir.write("a.log", kDone);
    dir.write("a.gjf", "job a");
    dir.write("a.CHK", "checkpoint a");
    dir.write("ab.gjf", "another job's file");
    dir.write("b.log", kFailed);
    dir.write("c.log", kRunning);
    dir.write("c.com", "job c");
    fs::create_directories(dir.file("running"));
    dir.write("running/c.com", "an older c, never replaced");
    const std::vector<std::string> outputs = {dir.file("a.log"), dir.file("b.log"),
                                              dir.file("c.log")};
    const auto before = testing::filesIn(dir);

    const SortPlan plan = planSort(outputs, SortOptions{});
    ASSERT_EQ(plan.jobs.size(), 2u);
    EXPECT_EQ(plan.jobs[0].moves.size(), 3u);  // a.log, a.CHK, a.gjf; not ab.gjf
    EXPECT_EQ(plan.jobs[1].outcome, JobOutcome::Failed);
    ASSERT_EQ(plan.problems.size(), 1u);  // c clashes: nothing of it moves
    EXPECT_EQ(plan.problems[0].path, dir.file("running/c.com"));

    TempDir cache;
    const SortOutcome outcome = applySort(plan, cache.path().string());
    EXPECT_EQ(outcome.moved, 4);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(testing::readAll(dir.file("done/a.CHK")), "checkpoint a");
    EXPECT_TRUE(fs::exists(dir.file("failed/b.log")));
    EXPECT_TRUE(fs::exists(dir.file("c.log")));
    EXPECT_EQ(testing::readAll(dir.file("running/c.com")), "an older c, never replaced");

    auto journal = loadJournal(cache.path().string());
    ASSERT_TRUE(journal);
    const UndoOutcome undone = undoSort(*journal);
    EXPECT_EQ(undone.restored, 4);
    std::set<std::string> after = testing::filesIn(dir);
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace zerlant
