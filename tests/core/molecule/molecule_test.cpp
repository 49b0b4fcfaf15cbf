// The structure view's core: the reviewed table of bonds, measures,
// projection, picking and mode frames; the reviewed table of made-up outputs
// through the step reader and the stream that follows a growing output file,
// and that stream on every real output.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <utility>

#include "core/molecule/camera.hpp"
#include "core/molecule/elements.hpp"
#include "core/molecule/geometry.hpp"
#include "core/molecule/jobstream.hpp"
#include "core/optimisation/steps.hpp"
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

// The made-up outputs of stream_cases.tsv.
std::string block(const std::string& kind, const std::string& z, const std::string& rows) {
    return "                         " + kind +
           " orientation:\n"
           " ---------------------------------------------------------------------\n"
           " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
           " Number     Number       Type             X           Y           Z\n"
           " ---------------------------------------------------------------------\n"
           "      1          8           0        0.000000    0.000000    " +
           z + "\n" + rows;
}

std::string criteria(const std::string& met, int rows) {
    const char* names[] = {"Maximum Force         ", "RMS     Force         ",
                           "Maximum Displacement  ", "RMS     Displacement  "};
    std::string text = "         Item               Value     Threshold  Converged?\n";
    for (int r = 0; r < rows; ++r)
        text += std::string(" ") + names[r] + "   0.000010     0.000450     " + met + "\n";
    return text;
}

std::string textOf(const std::string& tokens) {
    const std::string h =
        "      2          1           0        0.000000    0.760000   -0.480000\n";
    const std::string ruler =
        " ---------------------------------------------------------------------\n";
    std::string text;
    std::istringstream in(tokens);
    for (std::string token; in >> token;) {
        const auto colon = token.find(':');
        const std::string kind = token.substr(0, colon);
        const std::string arg = colon == std::string::npos ? "" : token.substr(colon + 1);
        if (kind == "std" || kind == "inp" || kind == "zmat")
            text += block(kind == "std"   ? "Standard"
                          : kind == "inp" ? "Input"
                                          : "Z-Matrix",
                          arg, h + ruler);
        else if (kind == "junk")
            text += block("Standard", arg, "      2        junk\n" + h + ruler);
        else if (kind == "cut")
            text += block("Standard", arg, "");
        else if (kind == "scf")
            text += " SCF Done:  E(RB3LYP) =  " + arg + "     A.U. after   10 cycles\n";
        else if (kind == "table")
            text += criteria(arg, 4);
        else if (kind == "half")
            text += criteria("NO", 2) + " Predicted change in Energy=-1.374443D-02\n";
        else if (kind == "done")
            text += "    Optimization completed.\n";
        else if (kind == "end")
            text += " Normal termination of Gaussian 16 at Mon Dec  7 10:00:00 2026.\n";
        else if (kind == "err")
            text += " Error termination via Lnk1e in /g16/l9999.exe at Mon Dec  7.\n";
        else if (kind == "link1")
            text += " Link1:  Proceeding to internal job step number  2.\n";
        else if (kind == "enter")
            text += " Entering Gaussian System, Link 0=g16\n";
        else if (kind == "irc")
            text += " Point Number:   " + arg.substr(0, arg.find(':')) +
                    "          Path Number:   " + arg.substr(arg.find(':') + 1) + "\n";
        else
            ADD_FAILURE() << "unknown token " << token;
    }
    return text;
}

std::string shortest(double v) {
    char buffer[40];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

std::string yesNo(bool b) {
    return b ? "yes" : "no";
}

std::string listOf(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& i : items) out += (out.empty() ? "" : ",") + i;
    return items.empty() ? "none" : out;
}

// The quantities of the table for `text` fed in pieces of the sizes `size` gives.
template <typename Size>
std::map<std::string, std::string> quantitiesOf(const std::string& text, Size size) {
    StepReader reader;
    GeometryStream stream;
    std::vector<GeometryStep> steps;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view piece = std::string_view(text).substr(at, size());
        for (GeometryStep& s : reader.feed(piece)) steps.push_back(std::move(s));
        stream.feed(piece);
        at += piece.size();
    }
    for (GeometryStep& s : reader.finish()) steps.push_back(std::move(s));
    std::vector<std::string> geometry, energy, irc, shown;
    std::string converged;
    for (const GeometryStep& s : steps) {
        geometry.push_back(!s.orientation ? "-"
                                          : (*s.orientation == Orientation::Standard ? "S" : "I") +
                                                shortest(s.atoms.at(0).z));
        energy.push_back(s.energy ? shortest(*s.energy) : "-");
        irc.push_back(!s.ircPoint ? "-"
                                  : std::to_string(*s.ircPoint) + "/" +
                                        (s.ircPath ? std::to_string(*s.ircPath) : "-"));
        converged += s.converged ? "y" : "n";
    }
    for (const GeometryStep& s : stream.steps())
        shown.push_back(s.atoms.empty() ? "-" : shortest(s.atoms.at(0).z));
    return {{"steps", std::to_string(steps.size())},
            {"geometry", listOf(geometry)},
            {"energy", listOf(energy)},
            {"converged", converged},
            {"irc", listOf(irc)},
            {"completed", yesNo(reader.completed())},
            {"terminated", yesNo(reader.terminated())},
            {"shown", listOf(shown)},
            {"latest", stream.latest().empty() ? "none" : shortest(stream.latest().at(0).z)},
            {"damaged", yesNo(stream.damaged())},
            {"cut", yesNo(stream.cutPending())},
            {"ended", yesNo(stream.ended())}};
}

TEST(StreamCasesTest, EveryRowOfTheTableInAnyPieces) {
    const auto rows = testing::caseRows("core/molecule/stream_cases.tsv");
    ASSERT_GT(rows.size(), 15u);
    std::mt19937 random(5);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 3u);
        SCOPED_TRACE(row[0]);
        const std::string text = textOf(row[1]);
        const auto got = quantitiesOf(text, [&] { return text.size(); });
        std::istringstream expected(row[2]);
        for (std::string pair; expected >> pair;) {
            const std::string key = pair.substr(0, pair.find('='));
            ASSERT_TRUE(got.count(key)) << "unknown quantity " << key;
            EXPECT_EQ(got.at(key), pair.substr(key.size() + 1)) << key;
        }
        EXPECT_EQ(quantitiesOf(text, [] { return std::size_t{1}; }), got);
        EXPECT_EQ(
            quantitiesOf(text,
                         [&] { return std::uniform_int_distribution<std::size_t>(1, 90)(random); }),
            got);
    }
}

// The steps the stream shows, with what the pane draws and lists of each.
std::vector<std::string> shownSteps(const GeometryStream& stream) {
    std::vector<std::string> out;
    for (const GeometryStep& s : stream.steps()) {
        std::string line = std::to_string(s.number) + (s.converged ? " y " : " n ") +
                           (s.energy ? shortest(*s.energy) : "-");
        for (const CriterionValue& c : *s.criteria)
            line += " " + (c.value ? shortest(*c.value) : "-");
        for (const CartesianAtom& a : s.atoms) line += " " + a.symbol + shortest(a.z);
        out.push_back(line);
    }
    return out;
}

// Every real output, followed as a file read at once and fed in random pieces
// as a running job writes it: the same steps either way, the convergence
// reader's tables with the step reader's geometries, and the same last
// geometry and normal modes as the readers of the whole text.
TEST(JobFollowerTest, RealOutputsInAnyPiecesReadAsTheOtherReaders) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    std::mt19937 random(11);
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
        EXPECT_EQ(follower.state() == JobFollower::State::Ended, g.ended());

        GeometryStream pieces;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t most = at < 20000 ? 5 : 5000;  // single bytes through the heading
            const auto piece = std::string_view(text).substr(
                at, std::uniform_int_distribution<std::size_t>(1, most)(random));
            pieces.feed(piece);
            at += piece.size();
        }
        const auto shown = shownSteps(g);
        EXPECT_EQ(shownSteps(pieces), shown);
        EXPECT_EQ(pieces.ended(), g.ended());
        EXPECT_EQ(pieces.damaged(), g.damaged());
        EXPECT_EQ(pieces.latest().size(), g.latest().size());

        // The convergence tables, and the geometry the step reader gives each.
        const auto track = readConvergence(entry.path().string());
        ASSERT_TRUE(track);
        std::vector<OptimisationStep> tables;
        std::vector<std::vector<CartesianAtom>> geometries;
        ASSERT_TRUE(readSteps(entry.path().string(), [&](GeometryStep& s) {
            if (s.criteria) {
                tables.push_back(tableStep(s, static_cast<int>(tables.size()) + 1));
                geometries.push_back(std::move(s.atoms));
            }
        }));
        ASSERT_EQ(g.steps().size(), track->steps.size());
        ASSERT_EQ(tables.size(), track->steps.size());
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const OptimisationStep& c = track->steps[i];
            const OptimisationStep shownTable = tableStep(g.steps()[i], g.steps()[i].number);
            for (const OptimisationStep* t : {&std::as_const(tables[i]), &shownTable}) {
                EXPECT_EQ(t->number, c.number) << "step " << i + 1;
                EXPECT_EQ(t->energy, c.energy) << "step " << i + 1;
                EXPECT_EQ(t->converged, c.converged) << "step " << i + 1;
                for (std::size_t k = 0; k < kCriteria; ++k)
                    EXPECT_EQ(t->criteria[k].value, c.criteria[k].value) << "step " << i + 1;
            }
            if (!geometries[i].empty()) {
                EXPECT_EQ(g.steps()[i].atoms.size(), geometries[i].size()) << "step " << i + 1;
                EXPECT_EQ(g.steps()[i].atoms.back().z, geometries[i].back().z) << "step " << i + 1;
            }
        }

        const auto whole = lastGeometry(text);
        if (!g.damaged()) {
            EXPECT_EQ(g.latest().size(), whole ? whole->atoms.size() : 0u);
        }
        if (whole && !g.latest().empty() && g.latest().size() == whole->atoms.size()) {
            EXPECT_DOUBLE_EQ(g.latest().back().z, whole->atoms.back().z);
        }
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
    EXPECT_GT(compared, 150);
}

// A file followed on disk: read on from where it stopped until the job ends;
// cut, replaced or removed, it is read no more and what was read is kept.
TEST(JobFollowerTest, FollowsTheFileUntilItEndsOrChanges) {
    testing::TempDir dir;
    const std::string steps = textOf("inp:1.1 std:0.1 table:NO inp:1.2 std:0.2 table:YES");
    const std::string path = dir.write("job.log", steps.substr(0, 1400));
    JobFollower follower(path);
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Reading);
    EXPECT_EQ(follower.geometry().steps().size(), 1u);
    EXPECT_TRUE(follower.geometry().cutPending());
    std::ofstream(path, std::ios::app | std::ios::binary) << steps.substr(1400);
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_TRUE(follower.changed());
    ASSERT_TRUE(follower.poll().ok());  // nothing new: nothing read twice
    EXPECT_FALSE(follower.changed());
    EXPECT_EQ(shownSteps(follower.geometry()).size(), 2u);
    std::ofstream(path, std::ios::app | std::ios::binary) << textOf("end");
    ASSERT_TRUE(follower.poll().ok());
    EXPECT_EQ(follower.state(), JobFollower::State::Ended);
    EXPECT_EQ(follower.consumed(), std::filesystem::file_size(path));

    dir.write("job.log", steps);
    JobFollower shrunk(path);
    ASSERT_TRUE(shrunk.poll().ok());
    std::filesystem::resize_file(path, 100);
    ASSERT_TRUE(shrunk.poll().ok());
    EXPECT_EQ(shrunk.state(), JobFollower::State::Truncated);
    EXPECT_EQ(shrunk.geometry().steps().size(), 2u);

    dir.write("job.log", steps);
    JobFollower replaced(path);
    ASSERT_TRUE(replaced.poll().ok());
    std::filesystem::rename(dir.write("other.log", steps + steps), path);
    ASSERT_TRUE(replaced.poll().ok());
    EXPECT_EQ(replaced.state(), JobFollower::State::Replaced);
    EXPECT_EQ(replaced.geometry().steps().size(), 2u);

    JobFollower removed(path);
    ASSERT_TRUE(removed.poll().ok());
    std::filesystem::remove(path);
    ASSERT_TRUE(removed.poll().ok());
    EXPECT_EQ(removed.state(), JobFollower::State::Vanished);
    ASSERT_TRUE(replaced.poll().ok());  // stopped already: stays replaced
    EXPECT_EQ(replaced.state(), JobFollower::State::Replaced);
    JobFollower gone(path);
    EXPECT_FALSE(gone.poll().ok());
}

}  // namespace
}  // namespace zerlant::molecule
