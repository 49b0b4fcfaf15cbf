#pragma once
// The bonds of a geometry from covalent radii, and a key that two geometries
// share when their bond graphs are alike whatever the order of their atoms:
// conformers of one constitution share it, isomers of one formula
// (tautomers, regioisomers) mostly do not.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/gaussian/orientation.hpp"

namespace zerlant {

// Two atoms are bonded when they are closer than the sum of their covalent
// radii (Cordero et al., Dalton Trans. 2008, 2832) plus 0.45 angstrom.
inline constexpr double kBondTolerance = 0.45;

// The covalent radius of an element in angstrom (1.5 for one the table
// lacks, beyond xenon).
double covalentRadius(int atomicNumber);

// The bonds (i < j) of the geometry, in order of i then j.
std::vector<std::pair<std::size_t, std::size_t>> covalentBonds(
    const std::vector<CartesianAtom>& atoms);

// Each atom labelled by its element, then three times by its label and the
// sorted labels of its neighbours; the key is the sorted list of the final
// labels (hashed).  Empty for no atoms.
std::string connectivityKey(const std::vector<CartesianAtom>& atoms);

}  // namespace zerlant
