#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/inputtools/batchfile.hpp"
#include "core/inputtools/substitute.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using testing::readAll;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(Substitute, BlockReplacement) {
    std::size_t n = 0;
    EXPECT_EQ(replaceBlock("a b a b a", "a", "x", false, &n), "x b x b x");
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(replaceBlock("a b a b a", "a", "x", true, &n), "x b a b a");
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(replaceBlock("aaa", "aa", "b", false), "ba");  // left to right, no overlap
    EXPECT_EQ(replaceBlock("ab", "a", "aa", false), "aab");  // a replacement is not searched again
    EXPECT_EQ(replaceBlock("B3LYP", "b3lyp", "x", false), "B3LYP");  // case counts
    EXPECT_EQ(replaceBlock("keep", "", "x", false, &n), "keep");
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(replaceBlock("a\nb\nc", "b\n", "", false), "a\nc");  // empty replacement deletes

    // The blocks follow each file's line ends.
    EXPECT_EQ(withLineBreaks("a\nb\r\nc\rd", true), "a\r\nb\r\nc\rd");
    EXPECT_EQ(withLineBreaks("a\nb\r\nc", false), "a\nb\nc");
    SubstituteOptions o{"# opt b3lyp/6-31g\n\n", "# freq b3lyp/6-31g\n\n", false};
    EXPECT_EQ(substituteInText("%chk=a\r\n# opt b3lyp/6-31g\r\n\r\ntitle\r\n", o),
              "%chk=a\r\n# freq b3lyp/6-31g\r\n\r\ntitle\r\n");
    EXPECT_EQ(substituteInText("%chk=a\n# opt b3lyp/6-31g\n\ntitle\n", o),
              "%chk=a\n# freq b3lyp/6-31g\n\ntitle\n");
    o.from = "# opt b3lyp/6-31g\r\n";  // a block with CR LF breaks matches an LF file too
    EXPECT_EQ(substituteInText("# opt b3lyp/6-31g\n", o), "# freq b3lyp/6-31g\n\n");
}

TEST(Substitute, FilesOfTheList) {
    TempDir dir;
    FileRows rows(1);
    rows[0] = {true, "Archivos", dir.file("heading.gjf"), ""};  // a ticked heading is no file
    dir.write("heading.gjf", "# hf\n");
    auto add = [&](const std::string& name, const std::string& text, bool checked) {
        rows.push_back({checked, name, dir.write(name, text), ""});
    };
    add("lf.gjf", "# hf/sto-3g\n\nw\n\n0 1\nO\n# hf/sto-3g\n", true);
    add("crlf.gjf", "# hf/sto-3g\r\n\r\nw\r\n", true);
    add("ro.gjf", "# hf/sto-3g\n", true);
    add("untouched.gjf", "# hf/sto-3g\n", false);
    add("none.gjf", "# mp2/cc-pvdz\n", true);
    rows.push_back({true, "gone.gjf", dir.file("gone.gjf"), ""});
    ::chmod(dir.file("ro.gjf").c_str(), 0444);
    ::chmod(dir.file("crlf.gjf").c_str(), 0640);

    SubstituteOptions o{"# hf/sto-3g\n", "# b3lyp/6-31g(d) opt\n", true};
    SubstituteOutcome out = substituteFiles(rows, o);
    EXPECT_EQ(out.changed, 2);
    EXPECT_EQ(out.unchanged, 1);
    ASSERT_EQ(out.failures.size(), 2u);
    EXPECT_EQ(out.failures[0].path, dir.file("ro.gjf"));
    EXPECT_EQ(out.failures[1].path, dir.file("gone.gjf"));

    EXPECT_EQ(readAll(dir.file("lf.gjf")), "# b3lyp/6-31g(d) opt\n\nw\n\n0 1\nO\n# hf/sto-3g\n");
    EXPECT_EQ(readAll(dir.file("crlf.gjf")), "# b3lyp/6-31g(d) opt\r\n\r\nw\r\n");
    EXPECT_EQ(fs::status(dir.file("crlf.gjf")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(readAll(dir.file("ro.gjf")), "# hf/sto-3g\n");
    EXPECT_EQ(readAll(dir.file("untouched.gjf")), "# hf/sto-3g\n");
    EXPECT_EQ(readAll(dir.file("heading.gjf")), "# hf\n");
    // No temporary file left behind.
    EXPECT_EQ(testing::filesIn(dir),
              (std::set<std::string>{"crlf.gjf", "heading.gjf", "lf.gjf", "none.gjf", "ro.gjf",
                                     "untouched.gjf"}));

    o.firstOnly = false;
    rows[1].checked = true;
    out = substituteFiles({rows[0], rows[1]}, o);
    EXPECT_EQ(readAll(dir.file("lf.gjf")),
              "# b3lyp/6-31g(d) opt\n\nw\n\n0 1\nO\n# b3lyp/6-31g(d) opt\n");
}

TEST(BatchFile, TextAndFile) {
    FileRows rows(1);
    rows[0].checked = true;  // after a switch-all: still no job line
    EXPECT_EQ(bcfText(rows, {}), "!\r\n!user created batch file list\r\n!start = 1\r\n!\r\n");
    rows.push_back({true, "h2o.gjf", "/calc/h2o.gjf", ""});
    rows.push_back({false, "skip.gjf", "/calc/skip.gjf", ""});
    rows.push_back({true, "a.b.gjf", "/calc/x/a.b.gjf", ""});
    rows.push_back({true, "README", "/calc/README", ""});
    BcfOptions o;
    EXPECT_EQ(bcfText(rows, o),
              "!\r\n!user created batch file list\r\n!start = 1\r\n!\r\n"
              "h2o.gjf , h2o.out\r\na.b.gjf , a.b.out\r\nREADME , README.out\r\n");
    o.fullPaths = true;
    o.outputExtension = "log";
    EXPECT_EQ(bcfJobLine("/calc/h2o.gjf", o), "/calc/h2o.gjf , /calc/h2o.log");
    o.outputExtension = "";
    EXPECT_EQ(bcfJobLine("/calc/h2o.gjf", o), "/calc/h2o.gjf , /calc/h2o.");

    TempDir dir;
    o = BcfOptions{};
    auto refused = writeBcf(rows, o, dir.path().string());
    EXPECT_FALSE(refused.ok());
    o.name = "../up";
    EXPECT_FALSE(writeBcf(rows, o, dir.path().string()).ok());
    o.name = "jobs";
    dir.write("jobs.bcf", "old");
    auto written = writeBcf(rows, o, dir.path().string());
    ASSERT_TRUE(written.ok()) << written.error().describe();
    EXPECT_EQ(*written, dir.file("jobs.bcf"));
    EXPECT_EQ(readAll(*written), bcfText(rows, o));
    EXPECT_FALSE(writeBcf(rows, o, dir.file("no/such/folder")).ok());
}

}  // namespace
}  // namespace zerlant
