#pragma once
// One table of what the structure drawings need per element: covalent radius
// (the single-bond radii of Cordero et al., Dalton Trans. 2008, in angstrom)
// and the usual CPK colour as 0xRRGGBB.  Atomic number 0 and numbers outside
// 1..103 (ghost and dummy centres) get a small pink ball and no bonds.

#include <cstdint>

namespace zerlant::molecule {

struct ElementStyle {
    double covalentRadius = 0.0;  // angstrom; 0 for no bonds
    std::uint32_t rgb = 0;
};

ElementStyle elementStyle(int atomicNumber);

// The radius of an atom's ball in a ball-and-stick drawing, in angstrom.
double ballRadius(int atomicNumber);

}  // namespace zerlant::molecule
