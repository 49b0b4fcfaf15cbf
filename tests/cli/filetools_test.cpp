// zerlant-cli rename, substitute and bcf, run as a user would.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::filesIn;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

TEST(CliFileTools, RenameDryRunChecksAndRuns) {
    TempDir dir;
    for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4.gjf"}) dir.write(n, n);

    CliRun r = runCli(dir,
                      "rename --dry-run --rule replace --text _OPT --with _freq --all "
                      "h2o_opt.gjf nh3_opt.gjf ch4.gjf");
    EXPECT_EQ(r.status, 1);  // ch4.gjf is left out: unchanged
    EXPECT_EQ(r.out,
              "h2o_opt.gjf -> h2o_freq.gjf\nnh3_opt.gjf -> nh3_freq.gjf\n"
              "ch4.gjf -> ch4.gjf   (left out)\n");
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"h2o_opt.gjf", "nh3_opt.gjf", "ch4.gjf"}));

    r = runCli(dir,
               "rename --rule number --start 9 --width 2 --suffix --keep-extension "
               "h2o_opt.gjf nh3_opt.gjf");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "h2o_opt.gjf -> h2o_opt09.gjf\nnh3_opt.gjf -> nh3_opt10.gjf\n");
    EXPECT_EQ(readAll(dir.file("h2o_opt09.gjf")), "h2o_opt.gjf");

    // A target that exists is never replaced.
    r = runCli(dir,
               "rename --rule delete --from-delimiter 0 --to-end --keep-extension "
               "h2o_opt09.gjf");
    EXPECT_EQ(r.status, 0) << r.err;
    dir.write("x.gjf", "x");
    dir.write("X.GJF", "X");
    r = runCli(dir, "rename --rule case --upper x.gjf");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readAll(dir.file("X.GJF")), "X");
    EXPECT_EQ(readAll(dir.file("x.gjf")), "x");

    // A missing file is reported, the others still renamed.
    r = runCli(dir, "rename --rule extension --new-extension com missing.gjf ch4.gjf");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.gjf"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.path() / "ch4.com"));

    // Usage errors.
    EXPECT_EQ(runCli(dir, "rename ch4.com").status, 2);
    EXPECT_EQ(runCli(dir, "rename --rule insert --text a ch4.com").status, 2);
    EXPECT_EQ(runCli(dir, "rename --rule insert --text a --prefix --suffix ch4.com").status, 2);
    EXPECT_EQ(runCli(dir, "rename --rule insert --text a --position 0 ch4.com").status, 2);
    EXPECT_EQ(runCli(dir, "rename --rule case --upper --all ch4.com").status, 2);
    EXPECT_EQ(runCli(dir, "rename --rule remove --text '' --all ch4.com").status, 2);
    // A language the language file lacks, as for every other command.
    r = runCli(dir, "rename --lang Klingon --rule insert --text a --prefix ch4.com");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(fs::exists(dir.path() / "ch4.com"));
    CliRun help = runCli(dir, "rename --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--rule delete"), std::string::npos);
}

TEST(CliFileTools, SubstituteAndBcf) {
    TempDir dir;
    dir.write("from.txt", "# hf/sto-3g\n");
    dir.write("to.txt", "# b3lyp/6-31g(d)\n");
    dir.write("lf.gjf", "# hf/sto-3g\n\nt\n\n0 1\nHe\n\n");
    dir.write("crlf.gjf", "# hf/sto-3g\r\n\r\nt\r\n\r\n0 1\r\nHe\r\n\r\n");
    dir.write("none.gjf", "# mp2\n");
    CliRun r =
        runCli(dir, "substitute --from from.txt --to to.txt lf.gjf crlf.gjf none.gjf nofile.gjf");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nofile.gjf"), std::string::npos);
    EXPECT_EQ(readAll(dir.file("lf.gjf")), "# b3lyp/6-31g(d)\n\nt\n\n0 1\nHe\n\n");
    EXPECT_EQ(readAll(dir.file("crlf.gjf")), "# b3lyp/6-31g(d)\r\n\r\nt\r\n\r\n0 1\r\nHe\r\n\r\n");
    EXPECT_EQ(readAll(dir.file("none.gjf")), "# mp2\n");
    EXPECT_EQ(runCli(dir, "substitute --from from.txt lf.gjf").status, 2);

    r = runCli(dir, "bcf -o jobs.bcf --ext log lf.gjf crlf.gjf");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(dir.file("jobs.bcf")),
              "!\r\n!user created batch file list\r\n!start = 1\r\n!\r\n"
              "lf.gjf , lf.log\r\ncrlf.gjf , crlf.log\r\n");
    r = runCli(dir, "bcf -o jobs --full-paths lf.gjf");
    EXPECT_EQ(r.status, 0) << r.err;
    std::string folder = fs::canonical(dir.path()).string() + "/";
    EXPECT_NE(readAll(dir.file("jobs.bcf")).find(folder + "lf.gjf , " + folder + "lf.out\r\n"),
              std::string::npos);
    EXPECT_EQ(runCli(dir, "bcf -o .bcf lf.gjf").status, 2);
    EXPECT_EQ(runCli(dir, "bcf lf.gjf").status, 2);
}

}  // namespace
