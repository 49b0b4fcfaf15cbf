// What every zerlant-cli command shares: the forms of its options, the exit
// statuses, the file lists of --files-from, and the language of the headings.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// Each line of cli_forms.txt: arguments | exit status | file left | stderr text.
TEST(CliOptions, FormsAndExitStatusesOfTheTable) {
    std::ifstream table(ZERLANT_SOURCE_DIR "/tests/cli/data/cli_forms.txt");
    ASSERT_TRUE(table) << "tests/cli/data/cli_forms.txt";
    std::string line;
    int cases = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto fields = linesOf(line + "|", "|");
        ASSERT_EQ(fields.size(), 4u) << line;
        const std::string arguments =
            replaced(fields[0], "{ex}/", std::string(ZERLANT_SOURCE_DIR) + "/examples/");
        TempDir dir;
        CliRun r = runCli(dir, arguments);
        EXPECT_EQ(r.status, std::stoi(fields[1])) << line << "\n" << r.err;
        if (fields[2] != "-") {
            EXPECT_TRUE(fs::exists(dir.path() / fields[2])) << line;
        }
        if (fields[3] != "-") {
            EXPECT_NE(r.err.find(fields[3]), std::string::npos) << line << "\n" << r.err;
        }
        ++cases;
    }
    EXPECT_GT(cases, 20);
}

// Sets an environment variable for the life of the object (the tests start
// zerlant-cli as a child, which inherits it).
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(CliOptions, FilesFromALineListOrANulList) {
    TempDir dir;
    // Names with a blank, a CR LF line end, an empty line; the list comes after
    // the files given as arguments, in its own order.
    fs::copy_file(ZERLANT_SOURCE_DIR "/examples/water_opt_freq.log", dir.path() / "a b.log");
    dir.write("list.txt", "a b.log\r\n\n" ZERLANT_SOURCE_DIR "/examples/methane_failed.log\n");
    CliRun r = runCli(dir, "extract --select file --files-from - " +
                               example("formaldehyde_td.out") + " < list.txt");
    EXPECT_EQ(r.status, 1) << r.err;  // methane_failed.log is a KO row
    EXPECT_EQ(r.out, "FILE\nformaldehyde_td.out\na b.log\nmethane_failed.log\n");

    dir.write("list0", std::string("a b.log\0", 8) + ZERLANT_SOURCE_DIR "/examples/water.sum");
    r = runCli(dir, "aim --select file --null --files-from list0");
    EXPECT_EQ(r.status, 0) << r.err;  // a.log is named on stderr, water.sum read
    EXPECT_NE(r.out.find("\nwater.sum"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("a b.log"), std::string::npos);

    // A file of the list that cannot be read: the others are still written.
    dir.write("list2", "missing.log\na b.log\n");
    r = runCli(dir, "extract --select file --files-from list2");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "FILE\nmissing.log\na b.log\n");
    EXPECT_NE(r.err.find("missing.log"), std::string::npos);

    // The file tools take lists too.
    dir.write("job.gjf", "#p hf\n");
    dir.write("jobs.txt", "job.gjf\n");
    r = runCli(dir,
               "rename --dry-run --rule extension --new-extension com --files-from - < jobs.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "job.gjf -> job.com\n");
}

TEST(CliOptions, HeadingsFollowLangOrTheEnvironmentNeverTheWindow) {
    TempDir dir;
    const std::string file = example("water_opt_freq.log");
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv messages("LC_MESSAGES", nullptr);
    {
        ScopedEnv lang("LANG", "es_ES.UTF-8");
        CliRun es = runCli(dir, "extract --select file " + file);
        CliRun en = runCli(dir, "extract --lang English --select file " + file);
        ASSERT_EQ(es.status, 0) << es.err;
        EXPECT_EQ(linesOf(en.out).at(0), "FILE");
        EXPECT_NE(linesOf(es.out).at(0), "FILE") << es.out;
    }
    {
        ScopedEnv lang("LANG", "es_ES.UTF-8");
        ScopedEnv chosen("LC_MESSAGES", "de_DE.UTF-8");  // LC_MESSAGES outranks LANG
        EXPECT_EQ(linesOf(runCli(dir, "extract --select file " + file).out).at(0), "FILE");
    }
    ScopedEnv lang("LANG", "C");
    EXPECT_EQ(linesOf(runCli(dir, "extract --select file " + file).out).at(0), "FILE");
}

TEST(CliOptions, HelpOfEveryCommandComesFromItsDeclarations) {
    TempDir dir;
    CliRun all = runCli(dir, "--help-all");
    ASSERT_EQ(all.status, 0);
    for (const char* command :
         {"extract", "scan", "aim", "rename", "substitute", "bcf", "normalize"}) {
        CliRun help = runCli(dir, std::string(command) + " --help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("--files-from"), std::string::npos) << command;
        EXPECT_NE(help.out.find("Exit status"), std::string::npos) << command;
        EXPECT_NE(all.out.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(runCli(dir, "--version").out, "zerlant-cli " ZERLANT_TEST_VERSION "\n");
}

}  // namespace
