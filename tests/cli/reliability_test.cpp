// zerlant-cli beside a damaged language file, and every real file through the
// reading commands.  (Pipes, devices, backups and links among the inputs, the
// tables, failures and spreadsheets: data/scenarios.json and tests/golden.)

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

// Every file of the data folder through each reading command: no crash, an
// exit status of 0 or 1, and from extract a row for every output.
TEST(CliScanAim, EveryFileOfTheDataFolderWithoutACrash) {
    ZERLANT_DATA_FILE(data, "");
    std::size_t outputs = 0;
    for (const auto& e : fs::directory_iterator(data))
        for (const char* ext : {".log", ".out", ".LOG"}) outputs += e.path().extension() == ext;
    TempDir dir;
    for (const char* tool : {"scan", "aim", "extract"}) {
        CliRun r = runCli(dir, std::string(tool) + " --all '" + data.string() + "'/*");
        EXPECT_TRUE(r.status == 0 || r.status == 1) << tool << " " << r.status << "\n" << r.err;
        EXPECT_FALSE(r.out.empty()) << tool;
        if (std::string(tool) == "extract") {
            EXPECT_GT(zerlant::testing::linesOf(r.out).size(), outputs);
        }
    }
}
