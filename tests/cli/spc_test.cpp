// zerlant-cli thermo with a high-level single point, as a user runs it on a
// folder of real outputs: partners by suffix and by a list, the combined
// columns by name, each mismatch a failed row, and relative energies from
// the combined free energies.  plot --boltzmann on an ensemble with a
// duplicate.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::linesOf;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

// The CSV's rows as maps from column key to cell, keyed by the file.
std::map<std::string, std::map<std::string, std::string>> rowsByFile(const std::string& csv) {
    const auto lines = linesOf(csv);
    auto split = [](const std::string& line) {
        std::vector<std::string> out;
        std::stringstream in(line);
        for (std::string f; std::getline(in, f, ',');) out.push_back(f);
        return out;
    };
    std::map<std::string, std::map<std::string, std::string>> rows;
    if (lines.empty())
        return rows;
    const auto keys = split(lines[0]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto cells = split(lines[i]);
        std::map<std::string, std::string> row;
        for (std::size_t c = 0; c < keys.size() && c < cells.size(); ++c) row[keys[c]] = cells[c];
        rows[row["file"] + " + " + row["sp_file"]] = row;
    }
    return rows;
}

// The real outputs under the names a user gives a frequency job and its
// single points.
bool copyData(const TempDir& dir, const std::vector<std::pair<std::string, std::string>>& files) {
    const std::filesystem::path data = zerlant::testing::dataDir();
    if (data.empty())
        return false;
    for (const auto& [from, to] : files) {
        std::filesystem::create_directories((dir.path() / to).parent_path());
        if (!std::filesystem::exists(data / from) ||
            !std::filesystem::copy_file(data / from, dir.path() / to))
            return false;
    }
    return true;
}

}  // namespace

TEST(CliSinglePoint, BySuffixEachMismatchAFailedRow) {
    TempDir dir;
    if (!copyData(dir, {{"cclib_g09_dvb_ir.out", "dvb.out"},
                        {"cclib_g09_dvb_sp.out", "dvb_tz.out"},
                        {"cclib_g09_dvb_ir.out", "cation.out"},
                        {"cclib_g09_dvb_un_sp.log", "cation_tz.log"},
                        {"goodvibes_g09_H2O.log", "water.log"},
                        {"cclib_g09_water_ccsdt.log", "water_tz.log"},
                        {"cclib_g09_dvb_ir.out", "alone.out"}}))
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    CliRun r =
        zerlant::testing::runCli(dir, "thermo --spc tz dvb.out cation.out water.log alone.out");
    EXPECT_EQ(r.status, 1) << r.err;
    auto rows = rowsByFile(r.out);
    ASSERT_EQ(rows.size(), 1u) << r.out;
    auto& dvb = rows["dvb.out + dvb_tz.out"];
    EXPECT_EQ(dvb["sp_e"], "-382.30826660");
    // Gaussian's own sum of the electronic and thermal free energies.
    EXPECT_NEAR(std::stod(dvb["sp_g"]), -382.164931, 1.5e-6);
    EXPECT_NE(r.err.find("cation.out: single point cation_tz.log: the single point has charge 1, "
                         "the frequency job 0"),
              std::string::npos)
        << r.err;
    EXPECT_NE(
        r.err.find("water.log: single point water_tz.log: the geometries differ: RMSD 0.0427"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("alone.out: no single point alone_tz.out beside it"), std::string::npos)
        << r.err;
}

TEST(CliSinglePoint, PairListAndRelativeEnergiesFromTheCombinedValues) {
    TempDir dir;
    if (!copyData(dir, {{"goodvibes_g09_H2O.log", "water.log"},
                        {"cclib_g09_water_ccsdt.log", "sp/ccsdt.log"},
                        {"cclib_g09_water_mp2.log", "sp/mp2.log"}}))
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    // Names in the list are taken from the list's folder.
    dir.write("sp/pairs.txt",
              "# B3LYP frequencies, then two single points\n"
              "../water.log ccsdt.log\n"
              "../water.log mp2.log\n");
    CliRun r = zerlant::testing::runCli(
        dir, "thermo --spc-pairs sp/pairs.txt --spc-rmsd 0.05 --relative --unit kj -o t.json");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = readAll(dir.path() / "t.json");
    EXPECT_NE(json.find("\"sp_file\": \"sp/ccsdt.log\""), std::string::npos) << json;
    r = zerlant::testing::runCli(
        dir, "thermo --spc-pairs sp/pairs.txt --spc-rmsd 0.05 --relative --unit kj");
    auto rows = rowsByFile(r.out);
    ASSERT_EQ(rows.size(), 2u) << r.out;
    // The same frequency job, so the relative free energy is the difference
    // of the single points: (-75.0022821 + 75.0177604) hartree in kJ/mol.
    EXPECT_EQ(rows["water.log + sp/ccsdt.log"]["rel_g"], "0.0000");
    EXPECT_NEAR(std::stod(rows["water.log + sp/mp2.log"]["rel_g"]), 40.638, 0.001);

    // A line that is not two names is a usage error, and so are files beside
    // the list.
    dir.write("bad.txt", "water.log\n");
    r = zerlant::testing::runCli(dir, "thermo --spc-pairs bad.txt");
    EXPECT_EQ(r.status, 2);
    r = zerlant::testing::runCli(dir, "thermo --spc-pairs sp/pairs.txt water.log");
    EXPECT_EQ(r.status, 2) << r.err;
}

// A copy of a conformer is its duplicate: it weighs nothing, and the
// weighted sum is the one file's curve.
TEST(CliPlotBoltzmann, DuplicateWeighsNothing) {
    TempDir dir;
    if (!copyData(dir, {{"cclib_g09_dvb_ir.out", "a.out"}, {"cclib_g09_dvb_ir.out", "b.out"}}))
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    CliRun r = zerlant::testing::runCli(dir, "plot ir a.out b.out -o sum.csv --boltzmann E");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("b.out: C10H10, population 0 (duplicate of a.out)"), std::string::npos)
        << r.err;
    r = zerlant::testing::runCli(dir, "plot ir a.out -o one.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto sum = linesOf(readAll(dir.path() / "sum.csv"));
    const auto one = linesOf(readAll(dir.path() / "one.csv"));
    ASSERT_EQ(sum.size(), one.size());
    EXPECT_EQ(sum[0], "wavenumber_cm-1,ir_intensity_km_mol");
    EXPECT_EQ(std::vector<std::string>(sum.begin() + 1, sum.end()),
              std::vector<std::string>(one.begin() + 1, one.end()));
    r = zerlant::testing::runCli(dir, "plot ir --boltzmann a.out b.out -o x.csv");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--boltzmann takes E, G or qhG, not 'a.out'"), std::string::npos) << r.err;
}
