// zerlant-cli plot as a user runs it: curves as CSV that peak where the
// strongest line is, one point per scan point, a row per optimisation step,
// and SVG files that are XML.  (Usage errors, image files and extreme values:
// data/scenarios.json.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::CliRun;
using zerlant::testing::example;
using zerlant::testing::readAll;
using zerlant::testing::runCli;
using zerlant::testing::TempDir;

struct Csv {
    std::string header;
    std::vector<std::vector<double>> rows;
};

Csv readCsv(const std::string& text) {
    Csv csv;
    std::istringstream in(text);
    std::getline(in, csv.header);
    for (std::string line; std::getline(in, line);) {
        std::vector<double> row;
        std::istringstream fields(line);
        for (std::string f; std::getline(fields, f, ',');)
            row.push_back(std::strtod(f.c_str(), nullptr));
        csv.rows.push_back(row);
    }
    return csv;
}

// The x of the largest y in column `column`.
double peakX(const Csv& csv, std::size_t column = 1) {
    auto best =
        std::max_element(csv.rows.begin(), csv.rows.end(),
                         [&](const auto& a, const auto& b) { return a[column] < b[column]; });
    return (*best)[0];
}

TEST(CliPlot, CsvCurvesPeakAtTheStrongestLine) {
    TempDir dir;
    // Water: 1713.1148 cm-1 at 75.3247 km/mol is the strongest band; scaled by 0.95.
    CliRun r = runCli(dir, "plot ir --scale 0.95 --fwhm 20 --range 1000:2000 " +
                               example("water_opt_freq.log") + " -o ir.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    Csv csv = readCsv(readAll(dir.path() / "ir.csv"));
    EXPECT_EQ(csv.header, "wavenumber_cm-1,ir_intensity_km_mol");
    ASSERT_EQ(csv.rows.size(), 2001u);  // a round step of 0.5 cm-1
    EXPECT_EQ(csv.rows.front()[0], 1000.0);
    EXPECT_EQ(csv.rows.back()[0], 2000.0);
    EXPECT_NEAR(peakX(csv), 1713.1148 * 0.95, 0.5);

    // Formaldehyde: 7.7032 eV (f=0.0027) is the strongest transition; 0.6 eV
    // from the next (f=0.0021), so narrow bands (FWHM 0.2 eV) keep them apart.
    r = runCli(dir,
               "plot uv --unit ev --fwhm 0.2 " + example("formaldehyde_td.out") + " -o uv.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    csv = readCsv(readAll(dir.path() / "uv.csv"));
    EXPECT_EQ(csv.header, "energy_eV,epsilon_L_mol-1_cm-1");
    EXPECT_NEAR(peakX(csv), 7.7032, 0.01 * 7.7032);
}

TEST(CliPlot, RealSpectraPeakWithinOnePercent) {
    ZERLANT_DATA_FILE(td, "cclib_g16_dvb_td.out");
    ZERLANT_DATA_FILE(ir, "cclib_g09_dvb_ir.out");
    TempDir dir;
    // "Excited State   2:      Singlet-BU     5.3746 eV  230.68 nm  f=0.6779"
    CliRun r = runCli(dir, "plot uv '" + td.string() + "' -o uv.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(peakX(readCsv(readAll(dir.path() / "uv.csv"))), 230.68, 0.01 * 230.68);

    r = runCli(dir, "plot ir '" + ir.string() + "' -o ir.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const Csv csv = readCsv(readAll(dir.path() / "ir.csv"));
    const double top = std::max_element(csv.rows.begin(), csv.rows.end(), [](auto& a, auto& b) {
                           return a[1] < b[1];
                       })->at(1);
    // The strongest band, 98.3705 km/mol, lies beyond the first group of modes.
    if (top < 90.0)
        GTEST_SKIP() << "the frequency reader gives only the first modes";
    // " Frequencies --   1814.1806              1815.0418              3397.7981"
    // " IR Inten    --      0.0000                 1.4854                98.3705"
    EXPECT_NEAR(top, 98.3705, 0.02 * 98.3705);  // neighbouring bands add a little
    EXPECT_NEAR(peakX(csv), 3397.7981, 0.01 * 3397.7981);
}

TEST(CliPlot, ScanHasOnePointPerScanPoint) {
    TempDir dir;
    CliRun r = runCli(dir, "plot scan " + example("scan_water.log") + " -o scan.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const Csv csv = readCsv(readAll(dir.path() / "scan.csv"));
    EXPECT_EQ(csv.header, "step,R1_angstrom,energy_hartree,relative_energy_kcal_mol");
    // The scan command's table of the same file: a title row and five points.
    const CliRun table = runCli(dir, "scan " + example("scan_water.log"));
    EXPECT_EQ(csv.rows.size(), 5u);
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n') - 1,
              static_cast<long>(csv.rows.size()));
    double lowest = 1e9;
    for (const auto& row : csv.rows) lowest = std::min(lowest, row[3]);
    EXPECT_EQ(lowest, 0.0);
}

// A copy of a file of the examples with one text replaced, as a user's
// damaged or extreme output would hold it.
std::string editedExample(const TempDir& dir, const std::string& name, const std::string& from,
                          const std::string& to) {
    std::string text = readAll(std::string(ZERLANT_SOURCE_DIR "/examples/") + name);
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    const std::string path = dir.file(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The convergence plot's numbers for every real optimisation against the
// reviewed table of the convergence reader: a row per step, the converged
// steps, and energies above the file's lowest step.
TEST(CliPlot, ConvergenceHasARowPerStep) {
    const auto data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "no real data";
    const auto rows = zerlant::testing::caseRows("golden/convergence.tsv");
    std::string files;
    for (const auto& row : rows) files += " '" + (data / row[0]).string() + "'";
    TempDir dir;
    const CliRun r = runCli(dir, "plot convergence -o c.csv" + files);
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(readAll(dir.path() / "c.csv"));
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line,
              "file,step,energy_hartree,relative_energy_kcal_mol,max_force,max_force_threshold,"
              "rms_force,rms_force_threshold,max_displacement,max_displacement_threshold,"
              "rms_displacement,rms_displacement_threshold,converged");
    struct Seen {
        int steps = 0, converged = 0;
        double lowest = 1e300;
    };
    std::map<std::string, Seen> seen;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string x; std::getline(fields, x, ',');) f.push_back(x);
        ASSERT_EQ(f.size(), 13u) << line;
        Seen& s = seen[f[0]];
        EXPECT_EQ(std::stoi(f[1]), ++s.steps) << line;
        s.converged += f[12] == "yes" ? 1 : 0;
        if (!f[3].empty())
            s.lowest = std::min(s.lowest, std::stod(f[3]));
    }
    for (const auto& row : rows) {
        const Seen& s = seen[row[0]];
        EXPECT_EQ(s.steps, std::stoi(row[1])) << row[0];
        EXPECT_EQ(s.converged, std::stoi(row[2])) << row[0];
        if (!row[5].empty()) {
            EXPECT_EQ(s.lowest, 0.0) << row[0];
        }
    }
}

// Every SVG zerlant-cli writes is XML (xmllint parses it) with a plain-text
// title, and an SVG renderer draws it.
TEST(CliPlot, SavedSvgIsXmlThatRenders) {
#ifndef ZERLANT_PLOT_IMAGES
    GTEST_SKIP() << "zerlant-cli built without Qt writes only .csv plots";
#endif
    if (std::system("command -v xmllint >/dev/null && command -v rsvg-convert >/dev/null") != 0)
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed (libxml2-utils, librsvg2-bin)";
    TempDir dir;
    std::vector<std::string> plots = {
        "ir " + example("water_opt_freq.log"),
        "uv " + example("formaldehyde_td.out"),
        "scan " + example("scan_water.log"),
        "convergence " + example("water_opt_freq.log"),
        // A coordinate that overflows a double: the point is not available.
        "scan " + editedExample(dir, "scan_water.log", "    2     0.9500", "    2    1.8e308"),
    };
    const auto data = zerlant::testing::dataDir();
    const auto pes = data / "cclibdata_g09_water-pes.g09";
    if (!data.empty() && std::filesystem::exists(pes)) {
        std::filesystem::copy_file(pes, dir.path() / "pes.log");
        plots.push_back("scan pes.log");
        plots.push_back("scan --map pes.log");
    }
    for (std::size_t i = 0; i < plots.size(); ++i) {
        const std::string svg = "plot" + std::to_string(i) + ".svg";
        const CliRun r = runCli(dir, "plot " + plots[i] + " -o " + svg);
        ASSERT_EQ(r.status, 0) << plots[i] << "\n" << r.err;
        const std::string path = dir.file(svg);
        EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0)
            << plots[i] << ": not XML";
        EXPECT_EQ(
            std::system(("rsvg-convert -o '" + path + ".png' '" + path + "' 2>/dev/null").c_str()),
            0)
            << plots[i] << ": does not render";
        const std::string text = readAll(path);
        const auto title = text.find("<title>");
        ASSERT_NE(title, std::string::npos) << plots[i];
        const std::string head = text.substr(title, text.find("</title>") - title);
        EXPECT_EQ(head.find("&lt;"), std::string::npos) << plots[i] << ": markup in " << head;
    }
}

}  // namespace
