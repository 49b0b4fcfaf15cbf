// zerlant-cli thermo, run as a user would: the CSV columns and values against
// the thermochemistry a real output prints, the optional columns, the JSON
// file and the exit statuses.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

CliRun thermo(const TempDir& dir, const std::string& arguments) {
    return zerlant::testing::runCli(dir, "thermo " + arguments);
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, ',')) out.push_back(f);
    return out;
}

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

}  // namespace

// At the file's own 298.15 K and 1 atm the harmonic values round to what
// Gaussian printed: ZPE 0.021564, H -75.297433, G -75.319060.
TEST(CliThermo, CsvMatchesPrintedThermochemistry) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");
    TempDir dir;
    CliRun r = thermo(dir, quoted(water));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0], "file,formula,e,zpe,h,ts,qh_ts,g,qh_g");
    const auto f = split(lines[1]);
    ASSERT_EQ(f.size(), 9u) << lines[1];
    EXPECT_EQ(f[0], water.string());
    EXPECT_EQ(f[1], "H2O");
    EXPECT_NEAR(std::stod(f[3]), 0.021564, 5e-7);
    EXPECT_NEAR(std::stod(f[4]), -75.297433, 5e-7);
    EXPECT_NEAR(std::stod(f[7]), -75.319060, 5e-7);
    EXPECT_NEAR(std::stod(f[4]) - std::stod(f[5]), std::stod(f[7]), 2e-8);  // G = H - TS
}

TEST(CliThermo, OptionalColumnsAndJson) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");
    TempDir dir;
    // The same file twice: equal free energies, half the population each.
    CliRun r = thermo(dir, "--qh --relative --unit kj --temperature 400 -o out.json " +
                               quoted(water) + " " + quoted(water));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::ordered_json::parse(readAll(dir.path() / "out.json"));
    ASSERT_EQ(json.size(), 2u);
    std::vector<std::string> keys;
    for (const auto& [k, v] : json[0].items()) keys.push_back(k);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"file", "formula", "e", "zpe", "h", "ts", "qh_ts", "g",
                                        "qh_g", "qh_h", "rel_g", "rel_qh_g", "boltzmann"}));
    EXPECT_DOUBLE_EQ(json[1]["rel_g"].get<double>(), 0.0);
    EXPECT_DOUBLE_EQ(json[0]["boltzmann"].get<double>(), 0.5);
    // 400 K: H and G move away from the printed 298.15 K values.
    EXPECT_GT(json[0]["h"].get<double>(), -75.297433 + 1e-4);
    EXPECT_LT(json[0]["g"].get<double>(), -75.319060 - 1e-3);

    CliRun csv = thermo(dir, "--qh --relative " + quoted(water));
    EXPECT_EQ(linesOf(csv.out)[0],
              "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,qh_h,rel_g,rel_qh_g,boltzmann");
}

TEST(CliThermo, ExitStatuses) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");
    TempDir dir;
    // A file without thermochemistry, one whose section lacks the molecule's
    // data, and a missing file: reported, status 1, the other rows written.
    CliRun r = thermo(dir, quoted(water) + " " + example("methane_failed.log") + " " +
                               example("water_opt_freq.log") + " missing.log");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(linesOf(r.out).size(), 2u) << r.out;
    EXPECT_NE(r.err.find("methane_failed.log"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("water_opt_freq.log"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("missing.log"), std::string::npos) << r.err;

    for (const char* bad : {"--temperature -5", "--scale abc", "--pressure", "--unit furlong",
                            "--frobnicate", "--reference other.log", ""}) {
        CliRun u =
            thermo(dir, std::string(bad) + " " + (std::string(bad).empty() ? "" : quoted(water)));
        EXPECT_EQ(u.status, 2) << bad;
        EXPECT_TRUE(u.out.empty()) << bad;
    }
    EXPECT_EQ(thermo(dir, "--help").status, 0);
}
