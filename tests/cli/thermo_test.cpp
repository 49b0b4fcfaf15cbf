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
    EXPECT_EQ(lines[0],
              "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,temperature_k,pressure_atm,"
              "concentration_mol_per_l,scale_factor,qh_cutoff_cm-1");
    const auto f = split(lines[1]);
    ASSERT_EQ(f.size(), 14u) << lines[1];
    // The conditions used, the concentration empty for the gas at 1 atm.
    EXPECT_TRUE(lines[1].ends_with(",298.15,1,,1,100")) << lines[1];
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
    // A job without a frequency step is skipped, which is no failure.
    CliRun td = thermo(dir, quoted(water) + " " + example("formaldehyde_td.out"));
    EXPECT_EQ(td.status, 0) << td.err;
    EXPECT_NE(td.err.find("formaldehyde_td.out: skipped, no frequency step"), std::string::npos)
        << td.err;

    // (Usage errors are lines of cli_forms.txt.)
}

// Published scale factors: never applied unless asked, each use named on
// standard error with its source, a level the table lacks refused.
TEST(CliThermo, ScaleFactorsFromTheTable) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");                        // RB3LYP/STO-3G
    ZERLANT_DATA_FILE(hf, "cclibdata_g09_irc_point.log");                     // RHF/6-31G(d)
    ZERLANT_DATA_FILE(hf98, "cclibdata_g98_NIST_CCCBDB_1himidaz_m21b0.out");  // RHF/6-31G(d)
    TempDir dir;
    struct Case {
        std::string arguments;
        int status;
        std::string inErr;  // what standard error must say
    };
    const std::vector<Case> cases = {
        {"--scale-for 'b3lyp/6-31g*' " + quoted(water), 0, "scale factor 0.977 for B3LYP/6-31G(d)"},
        {"--scale-for 'M062X/6-311+G**' " + quoted(water), 0, "Truhlar"},
        {"--scale-for 'B3LYP/6-311+G(d,p)' " + quoted(water), 2, "'B3LYP/6-311+G(d,p)'"},
        {"--scale-for B3LYP " + quoted(water), 2, "no published scale factor"},
        {"--scale-from-table " + quoted(hf) + " " + quoted(hf98), 0,
         "scale factor 0.909 for HF/6-31G(d) (2 files)"},
        // One file the table cannot scale: no table at all, not unscaled rows.
        {"--scale-from-table " + quoted(hf) + " " + quoted(water), 2, "RB3LYP/STO-3G"},
        {"--scale 0.97 --scale-from-table " + quoted(hf), 2, "only one of"},
        {"--scale 0.97 --scale-for HF/6-31G* " + quoted(hf), 2, "only one of"},
        {"--scale-from-table --scale-for HF/6-31G* " + quoted(hf), 2, "only one of"},
        {quoted(hf), 0, ""},  // and without a request, nothing is said
    };
    for (const Case& c : cases) {
        CliRun r = thermo(dir, c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.err;
        if (c.inErr.empty())
            EXPECT_EQ(r.err.find("scale factor"), std::string::npos) << r.err;
        else
            EXPECT_NE(r.err.find(c.inErr), std::string::npos) << c.arguments << "\n" << r.err;
        EXPECT_EQ(r.out.empty(), c.status == 2) << c.arguments;
    }

    // The zero-point energy is a sum over the frequencies: it scales exactly.
    const auto plainLines = linesOf(thermo(dir, quoted(water)).out);
    const auto scaledLines =
        linesOf(thermo(dir, "--scale-for 'B3LYP/6-31G(d)' " + quoted(water)).out);
    ASSERT_EQ(plainLines.size(), 2u);
    ASSERT_EQ(scaledLines.size(), 2u);
    const auto plain = split(plainLines[1]);
    const auto scaled = split(scaledLines[1]);
    EXPECT_NEAR(std::stod(scaled[3]), 0.977 * std::stod(plain[3]), 1e-8);
    EXPECT_EQ(scaled[2], plain[2]);  // the electronic energy stays

    CliRun list = thermo(dir, "--list-scales");
    EXPECT_EQ(list.status, 0);
    for (const char* row : {"B3LYP/6-31G(d)", "M06-2X/6-311+G(d,p)", "wB97X-D/def2-TZVP", "0.977",
                            "J. Chem. Theory Comput. 6, 2872 (2010)"})
        EXPECT_NE(list.out.find(row), std::string::npos) << row << "\n" << list.out;
}

TEST(CliThermo, Workbook) {
    ZERLANT_DATA_FILE(water, "goodvibes_g09_H2O.log");
    TempDir dir;
    CliRun r = thermo(dir, "-o out.xlsx --relative " + quoted(water));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = readAll(dir.path() / "out.xlsx");
    EXPECT_EQ(bytes.substr(0, 2), "PK");  // a zip container
    EXPECT_TRUE(r.out.empty());
}
