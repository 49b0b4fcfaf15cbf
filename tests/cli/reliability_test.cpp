// zerlant-cli against names a careless shell line produces: pipes and endless
// devices among the inputs, an output named like an input.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "testsupport.hpp"

using zerlant::testing::CliRun;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

namespace {

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

// Every command refuses a pipe and a link to /dev/zero at once, names them,
// and still does the other files.
TEST(CliReliability, PipesAndDevicesAreErrorsAndTheBatchGoesOn) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("x.log").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(dir.file("x.sum").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir.file("z.log"));
    fs::create_symlink("/dev/zero", dir.file("z.sum"));
    dir.write("good.log", "x\n Normal termination of Gaussian\n");
    dir.write("good.gjf", "old\n");
    dir.write("from.txt", "old");
    dir.write("to.txt", "new");
    const struct {
        std::string args;
        std::string kept;  // what stdout must hold
    } cases[] = {
        {"extract --select file,status good.log x.log z.log", "good.log"},
        {"scan x.log z.log good.log", ""},
        {"aim x.sum z.sum", ""},
        {"normalize x.log z.log good.gjf", ""},
        {"substitute --from from.txt --to to.txt x.log z.log good.gjf", ""},
    };
    for (const auto& c : cases) {
        // `timeout` turns a hang into a failure instead of a stuck test.
        CliRun r = runCli(
            dir, "--version >/dev/null; timeout 10 '" ZERLANT_BIN_DIR "/zerlant-cli' " + c.args);
        EXPECT_EQ(r.status, 1) << c.args << "\n" << r.err;
        EXPECT_TRUE(mentions(r.err, "a named pipe, not a regular file")) << c.args << r.err;
        EXPECT_TRUE(mentions(r.err, "a device, not a regular file")) << c.args << r.err;
        EXPECT_TRUE(mentions(r.out, c.kept)) << c.args;
    }
    EXPECT_EQ(readAll(dir.file("good.gjf")), "new\r\n\r\n");  // substituted, then normalised
}

// Backups never replace a file; a read-only file is left alone; a hard-linked
// file is rewritten under every name.
TEST(CliReliability, NormalizeBackupsPermissionsAndLinks) {
    TempDir dir;
    dir.write("job.out", "out\n");
    dir.write("job.log", "log\n");
    dir.write("job.bak", "unrelated");
    dir.write("ro.log", "ro\n");
    ::chmod(dir.file("ro.log").c_str(), 0444);
    dir.write("sub.gjf", "old\n");
    fs::create_hard_link(dir.file("sub.gjf"), dir.file("sub-link.gjf"));
    dir.write("from.txt", "old");
    dir.write("to.txt", "new");
    CliRun r = runCli(dir, "normalize --keep-backup job.out job.log ro.log");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(mentions(r.err, "ro.log: Permission denied")) << r.err;
    EXPECT_TRUE(mentions(r.err, "job.out: backup kept as job.1.bak")) << r.err;
    EXPECT_EQ(readAll(dir.file("job.bak")), "unrelated");
    EXPECT_EQ(readAll(dir.file("job.1.bak")), "out\n");
    EXPECT_EQ(readAll(dir.file("job.2.bak")), "log\n");
    EXPECT_EQ(readAll(dir.file("ro.log")), "ro\n");
    EXPECT_FALSE(fs::exists(dir.file("ro.bak")));

    r = runCli(dir, "substitute --from from.txt --to to.txt sub-link.gjf");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(dir.file("sub.gjf")), "new\n");
    EXPECT_EQ(fs::hard_link_count(dir.file("sub.gjf")), 2u);
}

// A damaged language file beside the program: a warning, and the same table
// as with the delivered file, column for column.
TEST(CliReliability, ADamagedLanguageFileCostsNoColumn) {
    TempDir dir;
    const std::string delivered = readAll(ZERLANT_SOURCE_DIR "/resources/idioma.lng");
    dir.write("j.log", readAll(ZERLANT_SOURCE_DIR "/examples/water_opt_freq.log"));
    auto runWith = [&](const std::string& languageFile) {
        TempDir program;
        fs::copy_file(ZERLANT_BIN_DIR "/zerlant-cli", program.path() / "zerlant-cli");
        program.write("idioma.lng", languageFile);
        return runCli(
            dir, "--version >/dev/null; '" + program.file("zerlant-cli") + "' extract --all j.log");
    };
    const CliRun good = runWith(delivered);
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "");
    for (const std::string& damaged :
         {delivered.substr(0, 3000), std::string(), std::string("\xFF\xFE[\0i\0", 6),
          std::string("1=x\r\n131=N/D\r\n"), delivered.substr(0, delivered.find("[English]"))}) {
        const CliRun r = runWith(damaged);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(mentions(r.err, "warning: ")) << damaged.substr(0, 40);
        EXPECT_EQ(r.out, good.out) << damaged.substr(0, 40);
    }
}
