// extract --all-steps: one XYZ frame per optimisation step, as many as
// `convergence` lists for every real optimisation, each titled with the file
// name, step number and the step's energy.  (IRC points, scan steps and
// usage errors: data/scenarios.json.)

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

namespace {

using zerlant::testing::runCli;
using zerlant::testing::TempDir;

struct Frame {
    std::string title;
    std::size_t atoms = 0;
};

// The frames of a multi-frame XYZ file, checking each is whole.
std::vector<Frame> framesOf(const std::string& xyz) {
    std::vector<Frame> frames;
    std::istringstream in(xyz);
    for (std::string line; std::getline(in, line);) {
        Frame f;
        f.atoms = std::stoul(line);
        EXPECT_TRUE(std::getline(in, f.title));
        for (std::size_t i = 0; i < f.atoms; ++i) {
            EXPECT_TRUE(std::getline(in, line)) << f.title;
            std::istringstream row(line);
            std::string symbol;
            double x, y, z;
            EXPECT_TRUE(row >> symbol >> x >> y >> z) << f.title << ": " << line;
        }
        frames.push_back(std::move(f));
    }
    return frames;
}

TEST(CliAllSteps, AFramePerStepOfEveryRealOptimisation) {
    const auto dir = zerlant::testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    std::string files;
    for (const auto& row : zerlant::testing::caseRecords("golden/convergence.tsv"))
        files += " '" + (dir / row["file"]).string() + "'";
    TempDir out;
    const auto convergence = runCli(out, "convergence --format json" + files);
    ASSERT_EQ(convergence.status, 0) << convergence.err;
    const auto xyz = runCli(out, "extract --all-steps -o steps.xyz" + files);
    ASSERT_EQ(xyz.status, 0) << xyz.err;

    // The frames of each file, by the file name that begins their title.
    std::map<std::string, std::vector<Frame>> byFile;
    for (Frame& f : framesOf(zerlant::testing::readAll(out.path() / "steps.xyz")))
        byFile[f.title.substr(0, f.title.find(' '))].push_back(std::move(f));
    // Files whose geometry holds a dummy or translation-vector centre are
    // named as left out, and only those.
    std::set<std::string> leftOut;
    for (const auto& row : zerlant::testing::caseRecords("golden/convergence.tsv"))
        if (xyz.err.find(row["file"] + ":") != std::string::npos)
            leftOut.insert(row["file"]);
    EXPECT_EQ(leftOut, (std::set<std::string>{"cclibdata_g03_maheshkumar.log",
                                              "chemsmart_g16_graphite_2d_opt.log"}))
        << xyz.err;

    const auto tracks = nlohmann::json::parse(convergence.out);
    ASSERT_GT(tracks.size(), 60u);
    for (const auto& track : tracks) {
        const std::string name =
            std::filesystem::path(track["file"].get<std::string>()).filename().string();
        const auto& steps = track["steps"];
        const auto& frames = byFile[name];
        if (leftOut.count(name)) {
            EXPECT_LT(frames.size(), steps.size()) << name;
            continue;
        }
        ASSERT_EQ(frames.size(), steps.size()) << name;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const std::string& title = frames[i].title;
            EXPECT_EQ(title.find(name + " step " + std::to_string(i + 1)), 0u) << title;
            const auto e = title.find(" E=");
            if (steps[i]["energy_hartree"].is_null()) {
                EXPECT_EQ(e, std::string::npos) << title;
                continue;
            }
            ASSERT_NE(e, std::string::npos) << title;
            const double energy = steps[i]["energy_hartree"];
            EXPECT_NEAR(std::stod(title.substr(e + 3)), energy, 1e-9 * std::fabs(energy)) << title;
        }
    }
}

}  // namespace
