// zerlant-cli normalize, run as a separate program on temporary files.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "testsupport.hpp"

using zerlant::testing::CliRun;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

namespace {

CliRun normalize(const TempDir& dir, const std::string& args) {
    return zerlant::testing::runCli(dir, "normalize " + args);
}

}  // namespace

TEST(CliNormalize, RewritesEveryFileAndKeepsBackupsOnRequest) {
    TempDir dir;
    dir.write("a.out", "1\\1\\x\n");
    dir.write("b.log", "y\r\nz\n");
    CliRun r = normalize(dir, "a.out b.log");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readAll(dir.file("a.out")), "1|1|x\r\n\r\n");
    EXPECT_EQ(readAll(dir.file("b.log")), "y\r\nz\r\n\r\n");  // mixed ends: each made CR LF
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.bak")));

    dir.write("c.out", "c\n");
    r = normalize(dir, "--keep-backup c.out c.out");  // named twice, done once
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readAll(dir.file("c.out")), "c\r\n\r\n");
    EXPECT_EQ(readAll(dir.file("c.bak")), "c\n");

    dir.write("-dash.out", "d\n");
    EXPECT_EQ(normalize(dir, "-- -dash.out").status, 0);
    EXPECT_EQ(readAll(dir.file("-dash.out")), "d\r\n\r\n");
}

TEST(CliNormalize, AFailedFileIsNamedAndTheOthersAreStillDone) {
    TempDir dir;
    dir.write("good.out", "g\n");
    CliRun r = normalize(dir, "missing.out good.out");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.out"), std::string::npos);
    EXPECT_EQ(readAll(dir.file("good.out")), "g\r\n\r\n");
}

TEST(CliNormalize, UsageErrorsAndHelp) {
    TempDir dir;
    dir.write("x.out", "x\n");
    for (const char* args : {"", "--bogus x.out", "--keep-backup"}) {
        CliRun r = normalize(dir, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(readAll(dir.file("x.out")), "x\n");
    CliRun help = normalize(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--keep-backup"), std::string::npos);
}
