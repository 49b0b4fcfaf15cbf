#include "core/extract/geometry.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

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

}  // namespace
}  // namespace zerlant
