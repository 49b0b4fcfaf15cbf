// The structure view's core: the reviewed table of bonds, measures,
// projection, picking and mode frames, and the reader that follows a
// growing output file.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/molecule/camera.hpp"
#include "core/molecule/elements.hpp"
#include "core/molecule/geometry.hpp"
#include "core/molecule/jobstream.hpp"
#include "testsupport.hpp"

namespace zerlant::molecule {
namespace {

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::string piece;
    std::istringstream in(text);
    while (std::getline(in, piece, by)) {
        const auto first = piece.find_first_not_of(' ');
        if (first != std::string::npos)
            out.push_back(piece.substr(first, piece.find_last_not_of(' ') - first + 1));
    }
    return out;
}

std::vector<double> numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> out;
    for (double v; in >> v;) out.push_back(v);
    return out;
}

std::vector<CartesianAtom> atomsOf(const std::string& text) {
    std::vector<CartesianAtom> atoms;
    for (const std::string& a : split(text, ';')) {
        const auto v = numbers(a);
        CartesianAtom atom;
        atom.atomicNumber = static_cast<int>(v.at(0));
        atom.symbol = "A";
        atom.x = v.at(1);
        atom.y = v.at(2);
        atom.z = v.at(3);
        atoms.push_back(atom);
    }
    return atoms;
}

// "project 200x200; turn 90 0; ..." : the camera after the steps before the
// last, and the last step.
Camera cameraOf(const std::vector<std::string>& steps, const std::vector<CartesianAtom>& atoms) {
    Camera camera;
    double w = 0, h = 0;
    std::sscanf(steps.at(0).c_str(), "%*s %lfx%lf", &w, &h);
    camera.fit(atoms, w, h);
    for (std::size_t i = 1; i + 1 < steps.size(); ++i) {
        std::istringstream in(steps[i]);
        std::string op;
        double a = 0, b = 0;
        in >> op >> a >> b;
        if (op == "turn")
            camera.turn(a, b);
        else if (op == "drag")
            camera.rotate(a, b);
        else if (op == "zoom")
            camera.zoom(a);
        else if (op == "pan")
            camera.pan(a, b);
        else if (op == "fit")
            camera.fit(atoms, w, h);
        else
            ADD_FAILURE() << "unknown step " << op;
    }
    return camera;
}

std::string hex(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", rgb);
    return text;
}

void expectNumbers(const std::string& got, const std::string& expected, double tolerance) {
    const auto g = numbers(got), e = numbers(expected);
    ASSERT_EQ(g.size(), e.size()) << got << " vs " << expected;
    for (std::size_t i = 0; i < g.size(); ++i) EXPECT_NEAR(g[i], e[i], tolerance) << got;
}

TEST(StructureCasesTest, EveryRowOfTheTable) {
    const auto rows = testing::caseRows("core/molecule/structure_cases.tsv");
    ASSERT_GT(rows.size(), 40u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u);
        SCOPED_TRACE(row[0]);
        const auto atoms = atomsOf(row[1]);
        const auto steps = split(row[2], ';');
        std::istringstream first(steps.at(0));
        std::string op;
        first >> op;
        const std::string& expected = row[3];
        if (op == "distance" || op == "angle" || op == "dihedral" || op == "measure") {
            std::vector<std::size_t> picked;
            for (double i : numbers(steps[0].substr(op.size())))
                picked.push_back(static_cast<std::size_t>(i));
            const auto m = measure(atoms, picked);
            if (expected == "none") {
                EXPECT_FALSE(m.has_value());
                continue;
            }
            ASSERT_TRUE(m.has_value());
            const auto kind = op == "distance" ? Measure::Kind::Distance
                              : op == "angle"  ? Measure::Kind::Angle
                                               : Measure::Kind::Dihedral;
            EXPECT_EQ(m->kind, kind);
            EXPECT_NEAR(m->value, std::stod(expected), 1e-4);
        } else if (op == "bonds") {
            std::string got;
            for (const Bond& b : findBonds(atoms))
                got += (got.empty() ? "" : " ") + std::to_string(b.a) + "-" + std::to_string(b.b);
            EXPECT_EQ(got.empty() ? "none" : got, expected);
        } else if (op == "style") {
            const ElementStyle s = elementStyle(atoms.at(0).atomicNumber);
            std::ostringstream got;
            got << s.covalentRadius << " " << hex(s.rgb);
            EXPECT_EQ(got.str(), expected);
        } else if (op == "project") {
            const Camera camera = cameraOf(steps, atoms);
            const auto point = numbers(steps.back().substr(5));
            const ScreenPoint p = camera.project({point.at(0), point.at(1), point.at(2)});
            expectNumbers(
                std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.depth),
                expected, 1e-5);
        } else if (op == "pick") {
            const Camera camera = cameraOf(steps, atoms);
            const auto pixel = numbers(steps.back().substr(2));
            const auto hit = pickAtom(camera, atoms, pixel.at(0), pixel.at(1));
            EXPECT_EQ(hit ? std::to_string(*hit) : "none", expected);
        } else if (op == "order") {
            Camera camera;
            camera.fit(atoms, 200, 200);
            std::string got;
            for (std::size_t i : backToFront(camera, atoms))
                got += (got.empty() ? "" : " ") + std::to_string(i);
            EXPECT_EQ(got, expected);
        } else if (op == "modeframe") {
            const auto v = numbers(steps[0].substr(op.size()));
            std::vector<std::array<double, 3>> displacements;
            for (std::size_t i = 1; i < steps.size(); ++i) {
                const auto d = numbers(steps[i]);
                displacements.push_back({d.at(0), d.at(1), d.at(2)});
            }
            const auto moved = modeFrame(atoms, displacements, v.at(0), static_cast<int>(v.at(1)),
                                         static_cast<int>(v.at(2)));
            const auto want = split(expected, ';');
            ASSERT_EQ(moved.size(), want.size());
            for (std::size_t i = 0; i < moved.size(); ++i)
                expectNumbers(std::to_string(moved[i].x) + " " + std::to_string(moved[i].y) + " " +
                                  std::to_string(moved[i].z),
                              want[i], 1e-9);
        } else {
            ADD_FAILURE() << "unknown operation " << op;
        }
    }
}

TEST(StructureTest, XyzBlockHasCountCommentAndSixDecimals) {
    std::vector<CartesianAtom> atoms = atomsOf("8 0 0 0.119262; 0 -1.5 2 3");
    atoms[0].symbol = "O";
    atoms[1].symbol = "";
    EXPECT_EQ(xyzBlock(atoms, "water\r\nstep 2"),
              "2\nwaterstep 2\n"
              "O         0.000000       0.000000       0.119262\n"
              "X        -1.500000       2.000000       3.000000\n");
}

TEST(StructureTest, BondsOfTwoThousandAtomsAreFoundByCells) {
    // A 10 x 10 x 20 grid of carbon 1.5 A apart: each atom bonds its six
    // neighbours and no diagonal (2.12 A > 1.97 A).
    std::vector<CartesianAtom> atoms;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            for (int k = 0; k < 20; ++k) atoms.push_back({6, "C", 1.5 * i, 1.5 * j, 1.5 * k});
    EXPECT_EQ(findBonds(atoms).size(), std::size_t(9 * 10 * 20 + 10 * 9 * 20 + 10 * 10 * 19));
}

// A small optimisation as Gaussian prints it: each step prints its geometry
// in the input and in the standard orientation, then its criteria.
std::string orientation(const char* kind, double oz) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "                          %s orientation:\n"
                  " ---------------------------------------------------------------------\n"
                  " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                  " Number     Number       Type             X           Y           Z\n"
                  " ---------------------------------------------------------------------\n"
                  "      1          8           0        0.000000    0.000000    %.6f\n"
                  "      2          1           0        0.000000    0.760000   -0.480000\n"
                  "      3          1           0        0.000000   -0.760000   -0.480000\n"
                  " ---------------------------------------------------------------------\n",
                  kind, oz);
    return text;
}

std::string step(double oz, const char* met) {
    return orientation("Input", oz + 1.0) + orientation("Standard", oz) +
           " SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles\n"
           "         Item               Value     Threshold  Converged?\n"
           " Maximum Force            0.000010     0.000450     " +
           met +
           "\n"
           " RMS     Force            0.000010     0.000300     " +
           met +
           "\n"
           " Maximum Displacement     0.000010     0.001800     " +
           met +
           "\n"
           " RMS     Displacement     0.000010     0.001200     " +
           met + "\n";
}

const std::string kStep1 = step(0.10, "NO");
const std::string kStep2 = step(0.12, "YES");
const std::string kEnd = " Normal termination of Gaussian 16 at Mon Dec  7 10:00:00 2026.\n";

TEST(JobFollowerTest, ReadsOnFromWhereItStoppedUntilTheJobEnds) {
    testing::TempDir dir;
    const std::string path = dir.write("job.log", kStep1 + kStep2.substr(0, 700));
    JobFollower follower(path);
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Reading);
    EXPECT_EQ(follower.geometry().steps().size(), 1u);
    EXPECT_TRUE(follower.geometry().cutPending());  // step 2's table is half written
    // The standard orientation is the one shown.
    EXPECT_DOUBLE_EQ(follower.geometry().steps()[0].at(0).z, 0.10);

    std::ofstream(path, std::ios::app | std::ios::binary) << kStep2.substr(700);
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_TRUE(follower.changed());
    ASSERT_TRUE(follower.poll().ok());  // nothing new: nothing read twice
    EXPECT_FALSE(follower.changed());
    EXPECT_EQ(follower.geometry().steps().size(), 2u);
    EXPECT_EQ(follower.convergence().steps.size(), 2u);
    EXPECT_DOUBLE_EQ(follower.geometry().latest().at(0).z, 0.12);
    EXPECT_FALSE(follower.geometry().damaged());

    std::ofstream(path, std::ios::app | std::ios::binary) << kEnd;
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Ended);
    EXPECT_EQ(follower.consumed(), std::filesystem::file_size(path));
}

TEST(JobFollowerTest, ATruncatedOrReplacedFileStopsTheReadingAndKeepsWhatWasRead) {
    testing::TempDir dir;
    const std::string path = dir.write("job.log", kStep1 + kStep2);
    JobFollower shrunk(path);
    ASSERT_TRUE(shrunk.poll().ok());
    std::filesystem::resize_file(path, 100);
    ASSERT_TRUE(shrunk.poll().ok());
    EXPECT_EQ(shrunk.state(), JobFollower::State::Truncated);
    EXPECT_EQ(shrunk.geometry().steps().size(), 2u);

    dir.write("job.log", kStep1 + kStep2);
    JobFollower replaced(path);
    ASSERT_TRUE(replaced.poll().ok());
    const std::string other = dir.write("other.log", kStep1 + kStep2 + kStep2);
    std::filesystem::rename(other, path);
    ASSERT_TRUE(replaced.poll().ok());
    EXPECT_EQ(replaced.state(), JobFollower::State::Replaced);
    EXPECT_EQ(replaced.geometry().steps().size(), 2u);

    std::filesystem::remove(path);
    ASSERT_TRUE(replaced.poll().ok());  // stopped already: stays replaced
    JobFollower gone(path);
    EXPECT_FALSE(gone.poll().ok());
}

TEST(JobFollowerTest, ABrokenCoordinateTableIsDamagedAndLeftOut) {
    std::string broken = orientation("Standard", 0.3);
    broken.insert(broken.find("      3 "), " Error termination request processed by link 202.\n");
    GeometryStream stream;
    stream.feed(kStep1 + broken + kEnd);
    EXPECT_TRUE(stream.damaged());
    EXPECT_DOUBLE_EQ(stream.latest().at(0).z, 0.10);
    EXPECT_EQ(stream.geometries(), 2u);

    GeometryStream none;
    none.feed(" SCF Done:  E(RHF) =  -1.0\n" + kEnd);
    EXPECT_TRUE(none.latest().empty());
    EXPECT_FALSE(none.damaged());
}

// An opt+freq job ends its first step normally and goes on: it has ended
// only when no step follows the last termination line.
TEST(JobFollowerTest, AJobOfSeveralStepsEndsAtItsLastStep) {
    GeometryStream stream;
    stream.feed(kStep1 + kEnd);
    EXPECT_TRUE(stream.ended());
    stream.feed(" Link1:  Proceeding to internal job step number  2.\n");
    EXPECT_FALSE(stream.ended());
    stream.feed(kStep2 + " Error termination via Lnk1e in /g16/l9999.exe at Mon Dec  7.\n" +
                " Job cpu time:       0 days  0 hours  0 minutes  1.0 seconds.\n");
    EXPECT_TRUE(stream.ended());
}

TEST(JobFollowerTest, PiecesOfAnySizeReadTheSame) {
    const std::string text = kStep1 + kStep2 + kEnd;
    for (std::size_t piece : {1u, 7u, 300u}) {
        GeometryStream stream;
        for (std::size_t at = 0; at < text.size(); at += piece) stream.feed(text.substr(at, piece));
        EXPECT_EQ(stream.steps().size(), 2u) << piece;
        EXPECT_EQ(stream.geometries(), 4u) << piece;
        EXPECT_DOUBLE_EQ(stream.latest().at(0).z, 0.12) << piece;
    }
}

// Real jobs: every step has its geometry, the modes fit the final geometry.
TEST(JobFollowerTest, RealOptimisationWithFrequencies) {
    ZERLANT_DATA_FILE(path, "aqme_g09_TS_CH3HCH3.log");
    JobFollower follower(path.string());
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Ended);
    const auto& g = follower.geometry();
    EXPECT_FALSE(g.damaged());
    EXPECT_EQ(g.latest().size(), 9u);  // C2H7
    EXPECT_EQ(g.steps().size(), follower.convergence().steps.size());
    EXPECT_GT(g.steps().size(), 1u);
    const auto modes = g.normalModes();
    ASSERT_TRUE(modes.has_value());
    EXPECT_EQ(modes->modes.size(), 3u * 9u - 6u);
    EXPECT_LT(modes->modes.at(0).properties[0], 0.0);  // the transition state's mode
    EXPECT_EQ(modes->modes.at(0).displacements.size(), 9u);
}

// Every real output: the stream reads the same last geometry and normal modes
// as the readers of the whole text, and a geometry for every step.
TEST(JobFollowerTest, RealOutputsReadAsTheWholeTextReaders) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".log") && !name.ends_with(".out"))
            continue;
        SCOPED_TRACE(name);
        const std::string text = testing::readAll(entry.path());
        JobFollower follower(entry.path().string());
        ASSERT_TRUE(follower.poll().ok());
        const GeometryStream& g = follower.geometry();
        const auto whole = lastGeometry(text);
        if (!g.damaged()) {
            EXPECT_EQ(g.latest().size(), whole ? whole->atoms.size() : 0u);
        }
        if (whole && !g.latest().empty() && g.latest().size() == whole->atoms.size()) {
            EXPECT_DOUBLE_EQ(g.latest().back().z, whole->atoms.back().z);
        }
        EXPECT_EQ(g.steps().size(), follower.convergence().steps.size());
        const auto modes = lastNormalModes(text);
        const auto streamed = g.normalModes();
        ASSERT_EQ(modes.has_value(), streamed.has_value());
        if (modes) {
            ASSERT_EQ(streamed->modes.size(), modes->modes.size());
            for (std::size_t m = 0; m < modes->modes.size(); ++m) {
                EXPECT_EQ(streamed->modes[m].properties[0], modes->modes[m].properties[0]);
                EXPECT_EQ(streamed->modes[m].displacements, modes->modes[m].displacements);
            }
        }
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

TEST(JobFollowerTest, RealUnfinishedJobIsStillReading) {
    ZERLANT_DATA_FILE(path, "aqme_g09_CH2OH2_unfinished.log");
    JobFollower follower(path.string());
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Reading);
    EXPECT_FALSE(follower.geometry().latest().empty());
    EXPECT_EQ(follower.geometry().steps().size(), follower.convergence().steps.size());
}

}  // namespace
}  // namespace zerlant::molecule
