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

#include "core/gaussian/anchors.hpp"

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

// An orientation block read line by line, for readers fed a file piece by
// piece: after its heading line, each line goes to `line` until the block is
// whole (its closing ruler was read) or broken (a line that is no part of
// it, or a block without atoms; the line is then the caller's to read as any
// other).
class OrientationLines {
  public:
    enum class Read { Taken, Whole, Broken };

    // The kind of block a heading line begins, as Gaussian prints it:
    //   "                         Standard orientation:"
    static std::optional<Orientation> heading(std::string_view line);

    void begin(Orientation kind);
    Read line(std::string_view text);
    bool open() const { return open_; }
    // The block just read whole; the reader is then ready for the next one.
    OrientationBlock& block() { return block_; }

  private:
    bool open_ = false;
    OrientationBlock block_;
    int rulers_ = 0;
    int headLines_ = 0;
    std::size_t lastAtoms_ = 0;  // in the last block read to its end
    std::vector<std::string_view> pieces_;
};

// Calls f(block) for every orientation block of `text`, in file order, one at
// a time (nothing but the current block is kept).  Headings are matched as
// Gaussian prints them, letter case included.
template <typename F>
void forEachOrientation(std::string_view text, F&& f);

// The geometry of the last orientation block of `text`: the standard
// orientation of the last step where it follows the input one, the input
// orientation where nothing follows it (a job run without symmetry, a
// trajectory); nullopt when it prints none.
std::optional<OrientationBlock> lastGeometry(std::string_view text);

namespace orientation_detail {
struct Heading {
    std::string_view text;
    Orientation orientation;
};
inline constexpr Heading kHeadings[] = {
    {gaussian::anchor::kStandardOrientation.start, Orientation::Standard},
    {gaussian::anchor::kInputOrientation.start, Orientation::Input},
    {gaussian::anchor::kZMatrixOrientation.start, Orientation::Input},
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
