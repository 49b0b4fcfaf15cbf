#include "core/molecule/elements.hpp"

#include <algorithm>
#include <array>

namespace zerlant::molecule {

namespace {

// Index = atomic number.  Berkelium onwards have no measured covalent radius:
// they take 1.60, like their neighbours.
constexpr std::array<ElementStyle, 104> kElements{{
    {0.00, 0xFF1493},                                                        // dummy
    {0.31, 0xFFFFFF}, {0.28, 0xD9FFFF},                                      // H He
    {1.28, 0xCC80FF}, {0.96, 0xC2FF00}, {0.84, 0xFFB5B5}, {0.76, 0x909090},  // Li Be B C
    {0.71, 0x3050F8}, {0.66, 0xFF0D0D}, {0.57, 0x90E050}, {0.58, 0xB3E3F5},  // N O F Ne
    {1.66, 0xAB5CF2}, {1.41, 0x8AFF00}, {1.21, 0xBFA6A6}, {1.11, 0xF0C8A0},  // Na Mg Al Si
    {1.07, 0xFF8000}, {1.05, 0xFFFF30}, {1.02, 0x1FF01F}, {1.06, 0x80D1E3},  // P S Cl Ar
    {2.03, 0x8F40D4}, {1.76, 0x3DFF00}, {1.70, 0xE6E6E6}, {1.60, 0xBFC2C7},  // K Ca Sc Ti
    {1.53, 0xA6A6AB}, {1.39, 0x8A99C7}, {1.39, 0x9C7AC7}, {1.32, 0xE06633},  // V Cr Mn Fe
    {1.26, 0xF090A0}, {1.24, 0x50D050}, {1.32, 0xC88033}, {1.22, 0x7D80B0},  // Co Ni Cu Zn
    {1.22, 0xC28F8F}, {1.20, 0x668F8F}, {1.19, 0xBD80E3}, {1.20, 0xFFA100},  // Ga Ge As Se
    {1.20, 0xA62929}, {1.16, 0x5CB8D1}, {2.20, 0x702EB0}, {1.95, 0x00FF00},  // Br Kr Rb Sr
    {1.90, 0x94FFFF}, {1.75, 0x94E0E0}, {1.64, 0x73C2C9}, {1.54, 0x54B5B5},  // Y Zr Nb Mo
    {1.47, 0x3B9E9E}, {1.46, 0x248F8F}, {1.42, 0x0A7D8C}, {1.39, 0x006985},  // Tc Ru Rh Pd
    {1.45, 0xC0C0C0}, {1.44, 0xFFD98F}, {1.42, 0xA67573}, {1.39, 0x668080},  // Ag Cd In Sn
    {1.39, 0x9E63B5}, {1.38, 0xD47A00}, {1.39, 0x940094}, {1.40, 0x429EB0},  // Sb Te I Xe
    {2.44, 0x57178F}, {2.15, 0x00C900}, {2.07, 0x70D4FF}, {2.04, 0xFFFFC7},  // Cs Ba La Ce
    {2.03, 0xD9FFC7}, {2.01, 0xC7FFC7}, {1.99, 0xA3FFC7}, {1.98, 0x8FFFC7},  // Pr Nd Pm Sm
    {1.98, 0x61FFC7}, {1.96, 0x45FFC7}, {1.94, 0x30FFC7}, {1.92, 0x1FFFC7},  // Eu Gd Tb Dy
    {1.92, 0x00FF9C}, {1.89, 0x00E675}, {1.90, 0x00D452}, {1.87, 0x00BF38},  // Ho Er Tm Yb
    {1.87, 0x00AB24}, {1.75, 0x4DC2FF}, {1.70, 0x4DA6FF}, {1.62, 0x2194D6},  // Lu Hf Ta W
    {1.51, 0x267DAB}, {1.44, 0x266696}, {1.41, 0x175487}, {1.36, 0xD0D0E0},  // Re Os Ir Pt
    {1.36, 0xFFD123}, {1.32, 0xB8B8D0}, {1.45, 0xA6544D}, {1.46, 0x575961},  // Au Hg Tl Pb
    {1.48, 0x9E4FB5}, {1.40, 0xAB5C00}, {1.50, 0x754F45}, {1.50, 0x428296},  // Bi Po At Rn
    {2.60, 0x420066}, {2.21, 0x007D00}, {2.15, 0x70ABFA}, {2.06, 0x00BAFF},  // Fr Ra Ac Th
    {2.00, 0x00A1FF}, {1.96, 0x008FFF}, {1.90, 0x0080FF}, {1.87, 0x006BFF},  // Pa U Np Pu
    {1.80, 0x545CF2}, {1.69, 0x785CE3}, {1.60, 0x8A4FE3}, {1.60, 0xA136D4},  // Am Cm Bk Cf
    {1.60, 0xB31FD4}, {1.60, 0xB31FBA}, {1.60, 0xB30DA6}, {1.60, 0xBD0D87},  // Es Fm Md No
    {1.60, 0xC70066},                                                        // Lr
}};

}  // namespace

ElementStyle elementStyle(int atomicNumber) {
    if (atomicNumber < 1 || atomicNumber >= static_cast<int>(kElements.size()))
        return kElements[0];
    return kElements[static_cast<std::size_t>(atomicNumber)];
}

double ballRadius(int atomicNumber) {
    return std::max(0.18, 0.35 * elementStyle(atomicNumber).covalentRadius);
}

}  // namespace zerlant::molecule
