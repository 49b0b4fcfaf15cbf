// Every reviewed JSON record of tests/golden/json against what `zerlant-cli
// extract --all --format json` gives for that file today, in every language;
// the XYZ export against the same records; and the JSON Schema of
// docs/extract.schema.json against the JSON of every real output.  The
// records are written by scripts/update-golden.sh and reviewed as data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;

struct Golden {
    std::string name;
    fs::path input;
    json records;  // what the file gave when it was reviewed
};

// The reviewed records whose input is here (the real data folder may be absent).
std::vector<Golden> goldens() {
    const fs::path dir = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/json";
    const fs::path data = zerlant::testing::dataDir();
    std::vector<Golden> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().extension() != ".json")
            continue;
        const std::string name = e.path().stem().string();
        fs::path input = fs::path(ZERLANT_SOURCE_DIR) / "examples" / name;
        if (!fs::exists(input))
            input = data.empty() ? fs::path() : data / name;
        if (input.empty() || !fs::exists(input))
            continue;
        out.push_back({name, input, json::parse(readAll(e.path()))});
    }
    std::sort(out.begin(), out.end(),
              [](const Golden& a, const Golden& b) { return a.name < b.name; });
    return out;
}

std::string quoted(const std::vector<Golden>& files) {
    std::string list;
    for (const Golden& g : files) list += " '" + g.input.string() + "'";
    return list;
}

// The first difference between two records, as a JSON pointer and both values.
std::string firstDifference(const json& want, const json& got) {
    const json patch = json::diff(want, got);
    if (patch.empty())
        return "same";
    const std::string path = patch[0].value("path", "");
    const json::json_pointer at(path);
    std::ostringstream s;
    s << path << ": expected " << (want.contains(at) ? want[at].dump() : "<none>") << ", got "
      << (got.contains(at) ? got[at].dump() : "<none>");
    return s.str();
}

TEST(GoldenJson, EveryFileGivesItsReviewedRecordsInEveryLanguage) {
    const std::vector<Golden> files = goldens();
    if (files.empty())
        GTEST_SKIP() << "no input of tests/golden/json is here";
    TempDir dir;
    const std::string args = "extract --all --format json -j 2" + quoted(files);
    const auto english = runCli(dir, args + " --lang English");
    ASSERT_LE(english.status, 1) << english.err;  // failed jobs are rows too

    // One record per file, in list order; scan jobs give none.
    std::map<std::string, json> byFile;
    for (const json& r : json::parse(english.out)) byFile[r.at("file").get<std::string>()] = r;
    for (const Golden& g : files) {
        const auto it = byFile.find(g.name);
        const json got = it == byFile.end() ? json::array() : json::array({it->second});
        EXPECT_EQ(got, g.records) << g.name << ": " << firstDifference(g.records, got);
    }

    // The records hold no language: the same bytes in Spanish, by option and
    // by environment.
    const auto spanish = runCli(dir, args + " --lang Español");
    EXPECT_EQ(spanish.out, english.out);
    const std::string environment = zerlant::testing::shellOutput(
        "env -u LC_ALL -u LC_MESSAGES LANG=es_ES.UTF-8 '" + std::string(ZERLANT_BIN_DIR) +
        "/zerlant-cli' " + args + " 2>/dev/null");
    EXPECT_EQ(environment, english.out);
}

// The XYZ export writes the geometry of the JSON records: same atoms, same
// element symbols, same numbers, in angstrom.
TEST(GoldenJson, XyzHoldsTheGeometryOfTheRecords) {
    const std::vector<Golden> files = goldens();
    if (files.empty())
        GTEST_SKIP() << "no input of tests/golden/json is here";
    TempDir dir;
    const auto run = runCli(dir, "extract -o all.xyz -j 2" + quoted(files));
    ASSERT_LE(run.status, 1) << run.err;
    std::istringstream xyz(readAll(dir.path() / "all.xyz"));
    std::map<std::string, std::vector<json>> written;  // file name: atoms
    std::string line;
    while (std::getline(xyz, line)) {
        const std::size_t n = std::stoul(line);
        std::string title;
        ASSERT_TRUE(std::getline(xyz, title));
        std::vector<json>& atoms = written[title.substr(0, title.find(" E="))];
        for (std::size_t i = 0; i < n && std::getline(xyz, line); ++i) {
            std::istringstream fields(line);
            std::string element;
            double x, y, z;
            fields >> element >> x >> y >> z;
            atoms.push_back({{"element", element}, {"x", x}, {"y", y}, {"z", z}});
        }
    }
    std::size_t compared = 0;
    for (const Golden& g : files) {
        if (g.records.empty() || g.records[0].at("geometry").empty())
            continue;
        const json& geometry = g.records[0]["geometry"];
        const auto it = written.find(g.name);
        if (geometry.size() == 0 || it == written.end())
            continue;  // a failed job's record, or atoms without a symbol
        ASSERT_EQ(it->second.size(), geometry.size()) << g.name;
        for (std::size_t i = 0; i < geometry.size(); ++i) {
            const json& a = geometry[i];
            const json& b = it->second[i];
            EXPECT_EQ(b["element"], a["element"]) << g.name << " atom " << i + 1;
            for (const char* axis : {"x", "y", "z"})
                EXPECT_NEAR(b[axis].get<double>(), a[std::string(axis) + "_angstrom"].get<double>(),
                            1e-12)
                    << g.name << " atom " << i + 1 << " " << axis;
        }
        ++compared;
    }
    EXPECT_GT(compared, 100u);
}

// The workbook holds the numbers of the records as numbers, whatever the
// decimal separator of the tables: the energies, charges and orbital
// energies of every record are among its number cells, and no cell is a
// number left as text.
TEST(GoldenJson, WorkbookHoldsTheNumbersOfTheRecords) {
    if (!zerlant::testing::haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    const std::vector<Golden> files = goldens();
    if (files.empty())
        GTEST_SKIP() << "no input of tests/golden/json is here";
    TempDir dir;
    const auto run =
        runCli(dir, "extract --all --decimal-separator , -o all.xlsx -j 2" + quoted(files));
    ASSERT_LE(run.status, 1) << run.err;
    const std::string book = (dir.path() / "all.xlsx").string();
    const std::string sheet = zerlant::testing::zipPart(book, "xl/worksheets/sheet1.xml");
    const std::string strings = zerlant::testing::zipPart(book, "xl/sharedStrings.xml");

    std::vector<double> numbers;  // of the number cells (those without t="s")
    const std::regex cell("<c r=\"[A-Z]+\\d+\"( s=\"\\d+\")?><v>([^<]*)</v></c>");
    for (std::sregex_iterator i(sheet.begin(), sheet.end(), cell), e; i != e; ++i)
        numbers.push_back(std::stod((*i)[2]));
    std::sort(numbers.begin(), numbers.end());
    auto holds = [&](double v) {
        auto it = std::lower_bound(numbers.begin(), numbers.end(), v - 1e-15 * std::abs(v));
        return it != numbers.end() && std::abs(*it - v) <= 1e-15 * std::abs(v);
    };

    std::size_t checked = 0;
    for (const Golden& g : files) {
        for (const json& r : g.records) {
            std::vector<std::pair<std::string, double>> wanted;
            for (const char* key : {"energy", "energy-opt", "energy-method", "homo", "lumo"})
                if (r.contains(key) && r[key].is_number())
                    wanted.emplace_back(key, r[key].get<double>());
            for (const json& m : r.value("mulliken", json::array()))
                if (m.contains("charge_e") && m["charge_e"].is_number())
                    wanted.emplace_back("mulliken", m["charge_e"].get<double>());
            for (const json& o : r.value("orbitals", json::array()))
                if (o.contains("energy_hartree") && o["energy_hartree"].is_number())
                    wanted.emplace_back("orbital", o["energy_hartree"].get<double>());
            for (const auto& [key, v] : wanted) {
                EXPECT_TRUE(holds(v)) << g.name << " " << key << " " << v;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000u);

    // Texts that read as numbers, with either separator: none.
    const std::regex text("<t[^>]*>([^<]*)</t>");
    const std::regex number("-?[0-9]+([.,][0-9]+)?([EeDd][-+]?[0-9]+)?");
    for (std::sregex_iterator i(strings.begin(), strings.end(), text), e; i != e; ++i)
        EXPECT_FALSE(std::regex_match((*i)[1].str(), number)) << (*i)[1];
}

// docs/extract.schema.json accepts the JSON of every real output, with every
// block and with the job-health keys.
TEST(GoldenJson, SchemaAcceptsTheRecordsOfEveryRealOutput) {
    const std::vector<Golden> files = goldens();
    if (files.empty())
        GTEST_SKIP() << "no input of tests/golden/json is here";
    if (std::system("/usr/bin/python3 -c 'import jsonschema' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-jsonschema is not installed";
    TempDir dir;
    const fs::path schema = fs::path(ZERLANT_SOURCE_DIR) / "docs/extract.schema.json";
    for (const std::string select :
         {"--all", "--select file,charge,status,reason,nimag,lowest_freq,s2,converged,geometry"}) {
        const auto run = runCli(dir, "extract -j 2 -o x.json " + select + quoted(files));
        ASSERT_LE(run.status, 1) << run.err;
        const std::string check = zerlant::testing::shellOutput(
            "/usr/bin/python3 -m jsonschema -i '" + (dir.path() / "x.json").string() + "' '" +
            schema.string() + "' 2>&1 && echo valid");
        EXPECT_EQ(check, "valid\n") << select;
    }
}

}  // namespace
