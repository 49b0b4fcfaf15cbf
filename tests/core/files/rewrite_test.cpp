// Every rewrite keeps what the user set on a file: mode, owner, group and
// hard links; run on real files in a temporary folder.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

using namespace zerlant;
using zerlant::testing::filesIn;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

namespace {

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// Runs `f` as the unprivileged user nobody (in a child process) and tells
// whether it succeeded; nullopt when the process cannot become nobody.
std::optional<bool> asNobody(const std::function<bool()>& f) {
    if (::geteuid() != 0)
        return std::nullopt;
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(f() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(Rewrite, ModeOwnerGroupAndHardLinksAreKept) {
    const bool root = ::geteuid() == 0;
    const struct {
        const char* what;
        mode_t mode;
        uid_t uid;  // -1: the user's own
        gid_t gid;
        bool hardLink;
    } files[] = {
        {"plain", 0640, uid_t(-1), gid_t(-1), false},
        {"setgid group-writable", 02664, uid_t(-1), gid_t(-1), false},
        {"another owner", 0644, 12345, 23456, false},
        {"hard link", 0600, uid_t(-1), gid_t(-1), true},
        {"hard link, another owner", 0664, 12345, 23456, true},
    };
    const std::function<Status(const std::string&)> rewrites[] = {
        [](const std::string& p) { return normalizararchivo(p, false); },
        [](const std::string& p) { return normalizararchivo(p, true); },
        [](const std::string& p) { return writeFileAtomically(p, "x\r\n\r\n"); },
        // A writer that opens the temporary file by name, as the workbook's does.
        [](const std::string& p) {
            return writeFileAtomicallyWith(p, [](const std::string& temp) -> Status {
                std::FILE* f = std::fopen(temp.c_str(), "wb");
                if (!f || std::fputs("x\r\n\r\n", f) < 0 || std::fclose(f) != 0)
                    return Error{"cannot write", temp};
                return success();
            });
        },
    };
    for (const auto& f : files) {
        if (f.uid != uid_t(-1) && !root)
            continue;
        for (std::size_t k = 0; k < std::size(rewrites); ++k) {
            SCOPED_TRACE(std::string(f.what) + ", rewrite " + std::to_string(k));
            TempDir dir;
            const std::string path = dir.write("job.log", "x\n");
            ASSERT_EQ(::chown(path.c_str(), f.uid, f.gid), 0);
            ASSERT_EQ(::chmod(path.c_str(), f.mode), 0);
            if (f.hardLink)
                fs::create_hard_link(path, dir.file("other-name.log"));
            const struct stat before = statOf(path);
            ASSERT_TRUE(rewrites[k](path));
            const struct stat after = statOf(path);
            EXPECT_EQ(readAll(path), "x\r\n\r\n");
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
            EXPECT_EQ(after.st_nlink, before.st_nlink);
            if (f.hardLink) {
                EXPECT_EQ(after.st_ino, before.st_ino);
                EXPECT_EQ(readAll(dir.file("other-name.log")), "x\r\n\r\n");
            }
            if (k == 1) {
                EXPECT_EQ(readAll(dir.file("job.bak")), "x\n");
                EXPECT_EQ(statOf(dir.file("job.bak")).st_uid, before.st_uid);
            }
            // No temporary file is left behind.
            EXPECT_EQ(filesIn(dir).size(), 1u + f.hardLink + (k == 1));
        }
    }
}

// A user who may write a file but cannot give a new file its owner gets the
// file rewritten in place: the owner stays.
// A writer killed before its file is complete leaves no trace, and the next
// write of the same file removes what one killed in its last step left.
TEST(Rewrite, AKilledWriterLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.write("t.txt", "old");
    pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    dir.write(".t.txt.tmp" + std::to_string(gone) + ".7", "new text of a killed writer");
    pid_t child = ::fork();
    if (child == 0) {
        AtomicFile file;
        if (file.open(path) && file.write(std::string(1 << 20, 'n')))
            ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(filesIn(dir).size(), 2u);
    ASSERT_TRUE(writeFileAtomically(path, "final"));
    EXPECT_EQ(filesIn(dir), std::set<std::string>{"t.txt"});
    EXPECT_EQ(readAll(path), "final");
}

TEST(Rewrite, AnotherUsersWritableFileKeepsItsOwner) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    const std::string path = dir.write("shared.log", "s\n");
    ASSERT_EQ(::chown(path.c_str(), 12345, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    auto done = asNobody([&] { return bool(normalizararchivo(path, false)); });
    if (!done)
        GTEST_SKIP() << "cannot run as another user here";
    EXPECT_TRUE(*done);
    EXPECT_EQ(readAll(path), "s\r\n\r\n");
    EXPECT_EQ(statOf(path).st_uid, 12345u);
    EXPECT_EQ(filesIn(dir).size(), 1u);
}

// A read-only file is refused, even for a superuser; a failed write leaves
// every name of a linked file as it was.
TEST(Rewrite, ReadOnlyAndFailedRewritesChangeNothing) {
    TempDir dir;
    const std::string ro = dir.write("ro.log", "r\n");
    ::chmod(ro.c_str(), 0444);
    auto refused = normalizararchivo(ro, true);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "Permission denied");
    EXPECT_EQ(readAll(ro), "r\n");

    const std::string big(300000, 'b');
    const std::string linked = dir.write("linked.log", big);
    fs::create_hard_link(linked, dir.file("linked-too.log"));
    auto failed = zerlant::testing::withFileSizeLimit(
        200000, [&] { return normalizararchivo(linked, false); });
    EXPECT_FALSE(failed);
    EXPECT_EQ(readAll(linked), big);
    EXPECT_EQ(readAll(dir.file("linked-too.log")), big);
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"linked-too.log", "linked.log", "ro.log"}));
}
