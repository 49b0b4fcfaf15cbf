// Output paths and exit statuses of every command, from the table
// tests/cli/data/outputs.txt: no output ever replaces an input, links are
// written through for every format, a run without a row writes no file, and
// the exit status is 1 whenever an input failed or an output (standard output
// included) could not be written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::filesIn;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

// The folder every line runs in, and the bytes of each of its files.
std::map<std::string, std::string> makeFolder(const TempDir& dir) {
    const std::string ex = ZERLANT_SOURCE_DIR "/examples/";
    std::map<std::string, std::string> files = {
        {"a.log", readAll(ex + "water_opt_freq.log")},
        {"b.log", readAll(ex + "water_opt_freq.log")},
        {"bad.log", readAll(ex + "methane_failed.log")},
        {"empty.log", ""},
        {"s.log", readAll(ex + "scan_water.log")},
        {"w.sum", readAll(ex + "water.sum")},
        {"j.gjf", readAll(ex + "water_opt.gjf")},
        {"exp.csv", "1000,0.1\n2000,0.5\n3000,0.2\n"},
        {"old.txt", "old text\n"},
        {"book.xlsx", "old book"},
    };
    const fs::path data = zerlant::testing::dataDir();
    if (const fs::path thermo = data / "goodvibes_g09_H2O.log"; !data.empty() && fs::exists(thermo))
        files["f.log"] = readAll(thermo);
    for (const auto& [name, bytes] : files) dir.write(name, bytes);
    return files;
}

struct Output {
    std::string name;  // empty: no output file
    std::string link;  // the file it is made a link to first
    bool hard = false;
};

Output outputOf(const std::string& field) {
    if (field == "-")
        return {};
    for (const char* arrow : {"=>", "->"})
        if (auto at = field.find(arrow); at != std::string::npos)
            return {field.substr(0, at), field.substr(at + 2), arrow[0] == '='};
    return {field, {}, false};
}

}  // namespace

TEST(CliOutputs, OutputPathsAndExitStatusesOfTheTable) {
    std::ifstream table(ZERLANT_SOURCE_DIR "/tests/cli/data/outputs.txt");
    ASSERT_TRUE(table) << "tests/cli/data/outputs.txt";
    std::string line;
    int cases = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto f = linesOf(line + "|", "|");
        ASSERT_EQ(f.size(), 5u) << line;
        const std::string &arguments = f[0], &afterwards = f[3], &errorText = f[4];
        const Output out = outputOf(f[1]);
        TempDir dir;
        const auto files = makeFolder(dir);
        if (arguments.find("f.log") != std::string::npos && !files.contains("f.log"))
            continue;  // without the real data
        if (!out.link.empty()) {
            out.hard ? fs::create_hard_link(dir.file(out.link), dir.file(out.name))
                     : fs::create_symlink(out.link, dir.file(out.name));
        }
        const bool existed = !out.name.empty() && fs::exists(dir.file(out.name));
        const std::string before = existed ? readAll(dir.file(out.name)) : std::string();

        const CliRun r = runCli(dir, arguments);
        SCOPED_TRACE(line + "\n" + r.err);
        EXPECT_EQ(r.status, std::stoi(f[2]));
        if (errorText != "-") {
            EXPECT_NE(r.err.find(errorText), std::string::npos);
        }
        // Every file of the folder keeps its bytes, but the one written through a link.
        const std::string writtenThrough = afterwards == "through" ? out.link : std::string();
        for (const auto& [name, bytes] : files)
            if (name != writtenThrough && name != out.name) {
                EXPECT_EQ(readAll(dir.file(name)), bytes) << name;
            }
        if (afterwards == "kept") {
            EXPECT_EQ(fs::exists(dir.file(out.name)), existed);
            EXPECT_EQ(readAll(dir.file(out.name)), before);
            EXPECT_EQ(fs::is_symlink(dir.file(out.name)), !out.link.empty() && !out.hard);
        } else if (afterwards == "absent") {
            EXPECT_FALSE(fs::exists(dir.file(out.name)));
        } else if (afterwards == "written") {
            EXPECT_GT(fs::file_size(dir.file(out.name)), 0u);
        } else if (afterwards == "through") {
            EXPECT_TRUE(fs::is_symlink(dir.file(out.name)));
            EXPECT_NE(readAll(dir.file(out.link)), files.at(out.link));
        }
        // No temporary file is left behind, whatever the outcome.
        for (const std::string& name : filesIn(dir.path()))
            EXPECT_TRUE(name[0] != '.' || name == ".cli-stderr") << name;
        ++cases;
    }
    EXPECT_GT(cases, 40);
}
