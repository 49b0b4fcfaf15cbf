#pragma once
// The Cartesian geometries an output file prints, one per orientation block:
//   "                          Standard orientation:"
//   " ---------------------------------------------------------------------"
//   " Center     Atomic      Atomic             Coordinates (Angstroms)"
//   " Number     Number       Type             X           Y           Z"
//   " ---------------------------------------------------------------------"
//   "      1          6           0        0.000000    0.000000    1.089000"
//   " ---------------------------------------------------------------------"
// Gaussian 98 and some Gaussian 03 jobs print no "Type" column.  A Z-matrix
// job prints "Z-Matrix orientation:" where others print "Input orientation:".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

// One atom of a printed geometry, coordinates in angstrom.  `symbol` is empty
// for an atomic number outside 1..103 (a ghost or dummy centre).
struct CartesianAtom {
    int atomicNumber = 0;
    std::string symbol;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

enum class Orientation { Input, Standard };

struct OrientationBlock {
    Orientation orientation = Orientation::Standard;
    std::size_t offset = 0;  // of the heading in the text read
    std::vector<CartesianAtom> atoms;
};

// The atoms of the block whose heading line ends just before `afterHeading`:
// the rows between the second and the third dashed ruler.  A row that is not
// "centre, atomic number, [type,] x, y, z" ends the block early.
std::vector<CartesianAtom> readOrientationAtoms(std::string_view afterHeading);

// Calls f(block) for every orientation block of `text`, in file order, one at
// a time (nothing but the current block is kept).  Headings are matched as
// Gaussian prints them, letter case included.
template <typename F>
void forEachOrientation(std::string_view text, F&& f);

// The geometry of the last "Standard orientation:" block of `text`, or, when
// it prints none (a job run without symmetry), of the last input orientation;
// nullopt when it prints neither.
std::optional<OrientationBlock> lastGeometry(std::string_view text);

namespace orientation_detail {
struct Heading {
    std::string_view text;
    Orientation orientation;
};
inline constexpr Heading kHeadings[] = {
    {"Standard orientation:", Orientation::Standard},
    {"Input orientation:", Orientation::Input},
    {"Z-Matrix orientation:", Orientation::Input},
};
// The next heading at or after `from`: its offset (npos when none) and kind.
std::size_t nextHeading(std::string_view text, std::size_t from, Orientation& kind,
                        std::size_t& length);
}  // namespace orientation_detail

template <typename F>
void forEachOrientation(std::string_view text, F&& f) {
    std::size_t from = 0;
    for (;;) {
        Orientation kind{};
        std::size_t length = 0;
        const std::size_t at = orientation_detail::nextHeading(text, from, kind, length);
        if (at == std::string_view::npos)
            return;
        OrientationBlock block;
        block.orientation = kind;
        block.offset = at;
        block.atoms = readOrientationAtoms(text.substr(at + length));
        f(static_cast<const OrientationBlock&>(block));
        from = at + length;
    }
}

}  // namespace zerlant
