#include "core/extract/geometry.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

// Section 3 of the archive entry split at "|", as the extraction passes it.
std::vector<std::string> moleculeLines(TextRef text) {
    std::string entry = entradaarchivo(text, true);
    auto sections = splitText(entry, "||");
    std::vector<std::string> lines;
    if (sections.size() > 3)
        for (auto l : splitText(sections[3], "|")) lines.emplace_back(l);
    return lines;
}

GeometryAtom atom(std::string a, std::string b, std::string c, std::string d, std::string e = "",
                  std::string f = "", std::string g = "") {
    return {a, b, c, d, e, f, g};
}

TEST(Geometry, ArchiveLines) {
    std::vector<std::string> lines = {"0,1", "C,0.,0.,0.", "H,0.6,0.6,0.6", "C,0,0.,0.,0.",
                                      "O,1,2,3,4,5,6,7,8"};
    GeometryTable g = geometriaentrada(lines);
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0], atom("C", "0.", "0.", "0."));
    EXPECT_EQ(g[1], atom("H", "0.6", "0.6", "0.6"));
    EXPECT_EQ(g[2], atom("C", "0", "0.", "0.", "0."));         // freeze flag in field 2
    EXPECT_EQ(g[3], atom("O", "1", "2", "3", "4", "5", "6"));  // seven parts at most
    EXPECT_TRUE(geometriaentrada(std::vector<std::string>{"0,1"}).empty());
    EXPECT_TRUE(geometriaentrada(std::vector<std::string_view>{}).empty());
}

TEST(Geometry, StandardOrientationBlocks) {
    FoldedText text(
        normalisedText("                         Standard orientation:\n"
                       " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                       " Number     Number       Type             X           Y           Z\n"
                       " ---------------------------------------------------------------------\n"
                       "      1          8           0        9.000000    9.000000    9.000000\n"
                       " Rotational constants (GHZ):      1.0     2.0     3.0\n"
                       "                         Standard orientation:\n"
                       " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                       " Number     Number       Type             X           Y           Z\n"
                       " ---------------------------------------------------------------------\n"
                       "      1          6           0        0.000000    0.000000    1.089000\n"
                       "      2          0           0        1.000000    0.000000    0.000000\n"
                       "      3         -1           0        2.000000    0.000000    0.000000\n"
                       "      4          x           0        3.000000\n"
                       " ---------------------------------------------------------------------\n"
                       " Rotational constants (GHZ):      1.0     2.0     3.0\n"));
    GeometryTable g = geometriaoptimizada(text.ref(), std::vector<std::string>{"0,1", "N,1,2,3"});
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0], atom("C", "0.000000", "0.000000", "1.089000"));
    EXPECT_EQ(g[1], atom("", "1.000000", "0.000000", "0.000000"));  // ghost atom 0
    EXPECT_EQ(g[3], atom("", "3.000000", "", ""));                  // short line, no integer

    // Without a "Standard orientation:" block: the archive geometry.
    FoldedText plain(normalisedText(" Input orientation:\n"));
    GeometryTable a = geometriaoptimizada(plain.ref(), std::vector<std::string>{"0,1", "N,1,2,3"});
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0], atom("N", "1", "2", "3"));
}

TEST(Geometry, OptimisationFinalGeometry) {
    ZERLANT_DATA_FILE(path, "cclib_g09_dvb_gopt.out");
    FoldedText text = testing::readDataText(path);
    GeometryTable g = geometriaoptimizada(text.ref(), moleculeLines(text.ref()));
    ASSERT_EQ(g.size(), 20u);
    EXPECT_EQ(g[0], atom("C", "0.269481", "1.410087", "0.000000"));
    EXPECT_EQ(g[3], atom("C", "-0.269481", "-1.410087", "0.000000"));
}

TEST(Geometry, Gaussian98StandardOrientation) {
    ZERLANT_DATA_FILE(path, "cclibdata_g98_test_H2.log");
    FoldedText text = testing::readDataText(path);
    GeometryTable g = geometriaoptimizada(text.ref(), moleculeLines(text.ref()));
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0], atom("H", "0.000000", "0.000000", "1.250000"));
}

TEST(Geometry, ArchiveOfRealFiles) {
    {
        // Z-matrix archive of a single point.
        ZERLANT_DATA_FILE(path, "cclib_g09_water_mp2.log");
        FoldedText text = testing::readDataText(path);
        GeometryTable g = geometriaentrada(moleculeLines(text.ref()));
        ASSERT_EQ(g.size(), 3u);
        EXPECT_EQ(g[0], atom("O", "", "", ""));
        EXPECT_EQ(g[1], atom("H", "1", "0.99", ""));
        EXPECT_EQ(g[2], atom("H", "1", "0.99", "2", "106."));
    }
    {
        // An optimisation run without symmetry prints no standard orientation;
        // its archive lines (wrapped in the file) give the geometry.
        ZERLANT_DATA_FILE(path, "rmg_g03_oxygen.log");
        FoldedText text = testing::readDataText(path);
        GeometryTable g = geometriaoptimizada(text.ref(), moleculeLines(text.ref()));
        ASSERT_EQ(g.size(), 2u);
        EXPECT_EQ(g[0], atom("O", "0.", "0.", "0.0004940723"));
        EXPECT_EQ(g[1], atom("O", "0.", "0.", "1.2051339277"));
    }
}

TEST(Geometry, CrLfFile) {
    ZERLANT_DATA_FILE(path, "goodvibes_g09_H2O.log");
    FoldedText text = testing::readDataText(path);
    GeometryTable g = geometriaoptimizada(text.ref(), moleculeLines(text.ref()));
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0], atom("O", "0.000000", "0.000000", "0.135874"));
    EXPECT_EQ(g[1], atom("H", "0.000000", "0.770408", "-0.543497"));
}

}  // namespace
}  // namespace zerlant
