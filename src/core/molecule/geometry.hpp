#pragma once
// The maths of a structure drawing that needs no window: bonds from covalent
// radii, the distance, angle and dihedral of picked atoms, the frames of a
// vibrating normal mode, and XYZ text.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/gaussian/orientation.hpp"

namespace zerlant::molecule {

using Vec3 = std::array<double, 3>;

inline Vec3 position(const CartesianAtom& a) {
    return {a.x, a.y, a.z};
}

struct Bond {
    std::size_t a = 0;  // a < b
    std::size_t b = 0;
};

// Two atoms are bonded when they lie closer than the sum of their covalent
// radii plus kBondTolerance, and farther apart than kMinimumBond (atoms on
// top of each other are a fault of the input, not a bond).  Dummy and ghost
// centres bond to nothing.  Sorted by (a, b); linear in the atom count.
inline constexpr double kBondTolerance = 0.45;  // angstrom
inline constexpr double kMinimumBond = 0.4;
std::vector<Bond> findBonds(const std::vector<CartesianAtom>& atoms);

// Distance in angstrom; angle and dihedral in degrees, the dihedral signed
// (-180, 180] as seen along b->c, clockwise positive.  nullopt where the
// measure is undefined (coincident atoms, collinear atoms of a dihedral).
double distance(const Vec3& a, const Vec3& b);
std::optional<double> angle(const Vec3& a, const Vec3& b, const Vec3& c);
std::optional<double> dihedral(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d);

// The measure of 2, 3 or 4 picked atoms (indices into `atoms`): distance,
// angle or dihedral; nullopt for another count, an index out of range or an
// undefined measure.
struct Measure {
    enum class Kind { Distance, Angle, Dihedral } kind = Kind::Distance;
    double value = 0.0;
};
std::optional<Measure> measure(const std::vector<CartesianAtom>& atoms,
                               const std::vector<std::size_t>& picked);

// Frame `frame` of `frames` of one period of a mode: each atom moved along
// its displacement by amplitude * sin(2 pi frame / frames).  Atoms without a
// displacement stay where they are.
std::vector<CartesianAtom> modeFrame(const std::vector<CartesianAtom>& atoms,
                                     const std::vector<std::array<double, 3>>& displacements,
                                     double amplitude, int frame, int frames);

// One XYZ block: the atom count, the comment line (line ends removed), then
// "symbol x y z" with six decimals; a centre without a symbol is "X".
std::string xyzBlock(const std::vector<CartesianAtom>& atoms, const std::string& comment);

}  // namespace zerlant::molecule
