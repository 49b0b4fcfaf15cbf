// zerlant-cli plot as a user runs it: a row per optimisation step, and SVG
// files that are XML.  (Curves that peak where the strongest line is, usage
// errors, image files and extreme values: data/scenarios.json.)

#include <gtest/gtest.h>

#include <algorithm>
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
    const auto rows = zerlant::testing::caseRecords("golden/convergence.tsv");
    std::string files;
    for (const auto& row : rows) files += " '" + (data / row["file"]).string() + "'";
    TempDir dir;
    const CliRun r = runCli(dir, "plot convergence -o c.csv" + files);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = zerlant::testing::linesOf(readAll(dir.path() / "c.csv"));
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(lines[0],
              "file,step,energy_hartree,relative_energy_kcal_mol,max_force,max_force_threshold,"
              "rms_force,rms_force_threshold,max_displacement,max_displacement_threshold,"
              "rms_displacement,rms_displacement_threshold,converged");
    const auto keys = zerlant::testing::cellsOf(lines[0]);
    struct Seen {
        int steps = 0, converged = 0;
        double lowest = 1e300;
    };
    std::map<std::string, Seen> seen;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto cells = zerlant::testing::cellsOf(lines[i]);
        ASSERT_EQ(cells.size(), keys.size()) << lines[i];
        std::map<std::string, std::string> f;
        for (std::size_t k = 0; k < keys.size(); ++k) f[keys[k]] = cells[k];
        Seen& s = seen[f["file"]];
        EXPECT_EQ(std::stoi(f["step"]), ++s.steps) << lines[i];
        s.converged += f["converged"] == "yes" ? 1 : 0;
        if (!f["relative_energy_kcal_mol"].empty())
            s.lowest = std::min(s.lowest, std::stod(f["relative_energy_kcal_mol"]));
    }
    for (const auto& row : rows) {
        const Seen& s = seen[row["file"]];
        EXPECT_EQ(std::to_string(s.steps), row["steps"]) << row.source;
        EXPECT_EQ(std::to_string(s.converged), row["converged steps"]) << row.source;
        if (!row["first energy"].empty()) {
            EXPECT_EQ(s.lowest, 0.0) << row.source;
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
