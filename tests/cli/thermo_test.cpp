// zerlant-cli thermo, run as a user would: the CSV columns and values against
// the thermochemistry a real output prints, the optional columns, the JSON
// file.  (Exit statuses and scale factors: data/scenarios.json.)

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

CliRun thermo(const TempDir& dir, const std::string& arguments) {
    return zerlant::testing::runCli(dir, "thermo " + arguments);
}

// The cells of the first row of a CSV table, by the key of their column.
std::map<std::string, std::string> firstRow(const std::string& csv) {
    const auto lines = linesOf(csv);
    std::map<std::string, std::string> row;
    if (lines.size() < 2)
        return row;
    std::stringstream keys(lines[0]), cells(lines[1]);
    for (std::string k, c; std::getline(keys, k, ',');)
        row[k] = std::getline(cells, c, ',') ? c : "<none>";
    return row;
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
    EXPECT_EQ(lines[0],
              "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,temperature_k,pressure_atm,"
              "concentration_mol_per_l,scale_factor,qh_cutoff_cm-1");
    auto f = firstRow(r.out);
    // The conditions used, the concentration empty for the gas at 1 atm.
    EXPECT_TRUE(lines[1].ends_with(",298.15,1,,1,100")) << lines[1];
    EXPECT_EQ(f["file"], water.string());
    EXPECT_EQ(f["formula"], "H2O");
    EXPECT_NEAR(std::stod(f["zpe"]), 0.021564, 5e-7);
    EXPECT_NEAR(std::stod(f["h"]), -75.297433, 5e-7);
    EXPECT_NEAR(std::stod(f["g"]), -75.319060, 5e-7);
    EXPECT_NEAR(std::stod(f["h"]) - std::stod(f["ts"]), std::stod(f["g"]), 2e-8);  // G = H - TS
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
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "file", "formula", "e", "zpe", "h", "ts", "qh_ts", "g", "qh_g", "qh_h",
                        "rel_g", "rel_qh_g", "boltzmann", "temperature_k", "pressure_atm",
                        "concentration_mol_per_l", "scale_factor", "qh_cutoff_cm-1"}));
    EXPECT_EQ(json[0]["temperature_k"], 400.0);
    EXPECT_TRUE(json[0]["concentration_mol_per_l"].is_null());
    EXPECT_DOUBLE_EQ(json[1]["rel_g"].get<double>(), 0.0);
    EXPECT_DOUBLE_EQ(json[0]["boltzmann"].get<double>(), 0.5);
    // 400 K: H and G move away from the printed 298.15 K values.
    EXPECT_GT(json[0]["h"].get<double>(), -75.297433 + 1e-4);
    EXPECT_LT(json[0]["g"].get<double>(), -75.319060 - 1e-3);

    CliRun csv = thermo(dir, "--qh --relative " + quoted(water));
    EXPECT_TRUE(linesOf(csv.out)[0].starts_with(
        "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,qh_h,rel_g,rel_qh_g,boltzmann,temperature_k"));
}

// A published scale factor scales the zero-point energy exactly (it is a sum
// over the frequencies) and leaves the electronic energy.  (Which factor is
// used and when: data/scenarios.json.)
TEST(CliThermo, ScaleFactorScalesTheZeroPointEnergy) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");  // RB3LYP/STO-3G
    TempDir dir;
    auto plain = firstRow(thermo(dir, quoted(water)).out);
    auto scaled = firstRow(thermo(dir, "--scale-for 'B3LYP/6-31G(d)' " + quoted(water)).out);
    ASSERT_TRUE(plain.contains("zpe") && scaled.contains("zpe"));
    EXPECT_NEAR(std::stod(scaled["zpe"]), 0.977 * std::stod(plain["zpe"]), 1e-8);
    EXPECT_EQ(scaled["e"], plain["e"]);  // the electronic energy stays
}
