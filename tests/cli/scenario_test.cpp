// zerlant-cli run as a user runs it, from the reviewed cases of
// tests/cli/data/scenarios.json: each case fills a fresh folder, runs its
// command lines in turn and checks the exit status, the standard output and
// error, and the files afterwards.  Every file of the folder keeps its bytes
// unless a step names what became of it, and no temporary file is left.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;  // files made in the order given
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

// {ex}, {data}, {dir} and {version}: the examples folder, the real data
// folder, the case's own folder and the version of the program.
std::string substituted(std::string text, const fs::path& data, const fs::path& dir = {}) {
    const std::pair<std::string, std::string> marks[] = {
        {"{ex}", ZERLANT_SOURCE_DIR "/examples"},
        {"{data}", data.string()},
        {"{dir}", dir.empty() ? std::string() : fs::canonical(dir).string()},
        {"{version}", ZERLANT_TEST_VERSION}};
    for (const auto& [mark, value] : marks)
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), value);
    return text;
}

std::vector<std::string> strings(const json& step, const char* key) {
    return step.contains(key) ? step[key].get<std::vector<std::string>>()
                              : std::vector<std::string>();
}

// Makes one file of the case; false when it needs the absent real data.
bool makeFile(const TempDir& dir, const std::string& name, const json& spec, const fs::path& data) {
    const fs::path path = dir.path() / name;
    fs::create_directories(path.parent_path());
    if (spec.is_string() || spec.contains("text")) {
        dir.write(name, substituted(spec.is_string() ? spec.get<std::string>()
                                                     : spec["text"].get<std::string>(),
                                    data));
    } else if (spec.contains("example")) {
        // A copy of an example, with one text replaced as a damaged output would hold it.
        std::string text =
            readAll(fs::path(ZERLANT_SOURCE_DIR "/examples") / spec["example"].get<std::string>());
        for (const auto& [from, to] : spec.value("replace", std::map<std::string, std::string>())) {
            const auto at = text.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            text.replace(std::min(at, text.size()), from.size(), to);
        }
        dir.write(name, text);
    } else if (spec.contains("data")) {
        if (data.empty() || !fs::exists(data / spec["data"].get<std::string>()))
            return false;
        fs::copy_file(data / spec["data"].get<std::string>(), path);
    } else if (spec.contains("symlink")) {
        fs::create_symlink(spec["symlink"].get<std::string>(), path);
    } else if (spec.contains("hardlink")) {
        fs::create_hard_link(dir.path() / spec["hardlink"].get<std::string>(), path);
    } else if (spec.contains("fifo")) {
        EXPECT_EQ(::mkfifo(path.c_str(), 0644), 0) << name;
    }
    if (spec.contains("readonly"))
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
    return true;
}

// The CSV text holds each of the rows: cells given by the key of their column.
void checkRows(const std::string& what, const std::string& csv, const json& rows) {
    auto cells = [](std::string line) {  // a line ends in LF or CR LF
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return zerlant::testing::cellsOf(line);
    };
    const auto lines = zerlant::testing::linesOf(csv);
    const auto keys = cells(lines.empty() ? std::string() : lines[0]);
    for (const json& want : rows) {
        bool found = false;
        for (std::size_t i = 1; i < lines.size() && !found; ++i) {
            const auto row = cells(lines[i]);
            found = true;
            for (const auto& [key, value] : want.items()) {
                const auto k = std::size_t(std::find(keys.begin(), keys.end(), key) - keys.begin());
                found = found && k < row.size() && row[k] == value.get<std::string>();
            }
        }
        EXPECT_TRUE(found) << what << " has no row " << want.dump() << "\n" << csv;
    }
}

// The bytes a JSON text numbers where all its characters lie below U+0100
// ("\u0089PNG" for the start of a PNG file).
std::string bytesOf(const json& text) {
    const std::string utf8 = text.get<std::string>();
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        out += (c & 0xFE) == 0xC2 && i + 1 < utf8.size()
                   ? static_cast<char>(((c & 3) << 6) | (utf8[++i] & 0x3F))
                   : static_cast<char>(c);
    }
    return out;
}

// The x of the highest point of a CSV curve in the column named `of`, and that height.
std::pair<double, double> peakOf(const std::string& csv, const std::string& of) {
    const auto lines = zerlant::testing::linesOf(csv);
    const auto keys = zerlant::testing::cellsOf(lines.empty() ? "" : lines[0]);
    const auto k = std::size_t(std::find(keys.begin(), keys.end(), of) - keys.begin());
    std::pair<double, double> top{0, -HUGE_VAL};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto row = zerlant::testing::cellsOf(lines[i]);
        const double y = k < row.size() ? std::strtod(row[k].c_str(), nullptr) : -HUGE_VAL;
        if (y > top.second)
            top = {std::strtod(row[0].c_str(), nullptr), y};
    }
    return top;
}

// The text against what `expected` says of it: all of it ("is"), its start and
// least size ("starts", "bytes_over"), parts it holds ("has"), parts it must not
// hold ("lacks"), its count of lines, CSV rows it holds ("rows"), where a CSV
// curve peaks ("peak": {"of": column, "at": x, "within": share, "height": y,
// "height_within": share}).
void check(const std::string& what, const std::string& text, const json& expected,
           const fs::path& data, const fs::path& dir) {
    if (expected.contains("starts")) {
        EXPECT_TRUE(text.starts_with(bytesOf(expected["starts"]))) << what;
    }
    if (expected.contains("bytes_over")) {
        EXPECT_GT(text.size(), expected["bytes_over"].get<std::size_t>()) << what;
    }
    if (expected.contains("peak")) {
        const json& p = expected["peak"];
        const auto [x, y] = peakOf(text, p["of"].get<std::string>());
        const double share = p["within"].get<double>();
        EXPECT_NEAR(x, p["at"].get<double>(), share * std::abs(p["at"].get<double>())) << what;
        if (p.contains("height")) {
            EXPECT_NEAR(y, p["height"].get<double>(),
                        p.value("height_within", share) * p["height"].get<double>())
                << what;
        }
    }
    if (expected.contains("is")) {
        EXPECT_EQ(text, substituted(expected["is"].get<std::string>(), data, dir)) << what;
    }
    for (const std::string& part : strings(expected, "has"))
        EXPECT_NE(text.find(substituted(part, data, dir)), std::string::npos)
            << what << " lacks: " << part << "\n"
            << text;
    for (const std::string& part : strings(expected, "lacks"))
        EXPECT_EQ(text.find(part), std::string::npos) << what << " holds: " << part << "\n" << text;
    if (expected.contains("rows"))
        checkRows(what, text, expected["rows"]);
    if (expected.contains("lines")) {
        EXPECT_EQ(zerlant::testing::linesOf(text).size(), expected["lines"].get<std::size_t>())
            << what << "\n"
            << text;
    }
}

// What a step says of its standard output or error: "out", "out_has", ...
json streamChecks(const json& step, const std::string& stream) {
    json expected = json::object();
    for (const char* key : {"", "_has", "_lacks", "_lines", "_rows"})
        if (step.contains(stream + key))
            expected[*key ? key + 1 : "is"] = step[stream + key];
    return expected;
}

}  // namespace

TEST(CliScenarios, EveryReviewedCase) {
    const json cases =
        json::parse(readAll(ZERLANT_SOURCE_DIR "/tests/cli/data/scenarios.json"), nullptr, true,
                    /*ignore_comments=*/true);
    const fs::path data = zerlant::testing::dataDir();
    int run = 0;
    for (const json& c : cases) {
        SCOPED_TRACE(c["name"].get<std::string>());
#ifndef ZERLANT_PLOT_IMAGES
        if (c.value("images", false))
            continue;  // zerlant-cli built without Qt writes only .csv plots
#endif
        if (c.value("unzip", false) && !zerlant::testing::haveUnzip())
            continue;  // the parts of a workbook are read with unzip
        TempDir dir;
        bool complete = true;
        std::map<std::string, std::string> kept;  // name -> bytes that must stay
        if (c.contains("files"))
            for (const auto& [file, spec] : c["files"].items())
                complete = complete && makeFile(dir, file, spec, data);
        if (!complete)
            continue;  // without the real data folder
        auto remember = [&] {
            kept.clear();
            for (const auto& e : fs::recursive_directory_iterator(dir.path()))
                if (e.is_regular_file())
                    kept[fs::relative(e.path(), dir.path()).string()] = readAll(e.path());
        };
        remember();
        const json steps = c.contains("steps") ? c["steps"] : json::array({c});
        for (const json& step : steps) {
            const std::string args = substituted(step["run"].get<std::string>(), data);
            SCOPED_TRACE(args);
            // A prefix runs the program under `env` or `timeout`.
            const std::string prefix = step.value("prefix", "");
            const auto r = zerlant::testing::runCli(
                dir, prefix.empty() ? args
                                    : "--version >/dev/null; " + prefix +
                                          " '" ZERLANT_BIN_DIR "/zerlant-cli' " + args);
            const json& status = step["status"];
            if (status.is_array())
                EXPECT_TRUE(std::find(status.begin(), status.end(), r.status) != status.end())
                    << r.status << "\n"
                    << r.err;
            else
                EXPECT_EQ(r.status, status.get<int>()) << r.err;
            check("standard output", r.out, streamChecks(step, "out"), data, dir.path());
            check("standard error", r.err, streamChecks(step, "err"), data, dir.path());
            std::set<std::string> named;
            if (step.contains("after"))
                for (const auto& [file, bytes] : step["after"].items()) {
                    EXPECT_EQ(readAll(dir.path() / file), bytes.get<std::string>()) << file;
                    named.insert(file);
                }
            for (const std::string& file : strings(step, "absent")) {
                EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / file))) << file;
                named.insert(file);
            }
            if (step.contains("file"))
                for (const auto& [file, expected] : step["file"].items()) {
                    const std::string path = dir.file(file);
                    check(file,
                          expected.contains("part")
                              ? zerlant::testing::zipPart(path, expected["part"].get<std::string>())
                              : readAll(path),
                          expected, data, dir.path());
                    if (expected.contains("same_as")) {
                        EXPECT_EQ(readAll(path),
                                  readAll(dir.file(expected["same_as"].get<std::string>())));
                    }
                    named.insert(file);
                }
            if (step.contains("folder")) {
                auto names = zerlant::testing::filesIn(dir);
                names.erase(".cli-stderr");
                EXPECT_EQ(names, step["folder"].get<std::set<std::string>>());
            }
            for (const std::string& file : strings(step, "exists"))
                EXPECT_TRUE(fs::exists(dir.path() / file)) << file;
            for (const std::string& file : strings(step, "written"))
                EXPECT_GT(fs::exists(dir.path() / file) ? fs::file_size(dir.path() / file) : 0, 0u)
                    << file;
            for (const std::string& file : strings(step, "rewritten")) {
                EXPECT_NE(readAll(dir.path() / file), kept[file]) << file;
                named.insert(file);
            }
            for (const std::string& file : strings(step, "symlink"))
                EXPECT_TRUE(fs::is_symlink(dir.path() / file)) << file;
            for (const std::string& file : strings(step, "changed")) named.insert(file);
            // No temporary file is left behind, whatever the outcome.
            for (const std::string& file : zerlant::testing::filesIn(dir))
                EXPECT_TRUE(file[0] != '.' || file == ".cli-stderr") << file;
            for (const auto& [file, bytes] : kept)
                if (!named.contains(file)) {
                    EXPECT_EQ(readAll(dir.path() / file), bytes) << file << " was changed";
                }
            remember();
        }
        ++run;
    }
    EXPECT_GT(run, 10);
}
