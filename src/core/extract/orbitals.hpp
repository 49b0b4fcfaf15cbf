#pragma once
// Molecular-orbital eigenvalues of the last population analysis of an output
// file, with their spin/occupancy labels and symmetry labels, and the HOMO and
// LUMO energies.

#include <string>
#include <vector>

#include "core/common/types.hpp"
#include "core/results/resulttables.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

// The three lists are 0-based and always the same length: entry i belongs to
// the (i+1)-th eigenvalue printed.  With no eigenvalue at all the lists are
// empty and HOMO/LUMO stay 0.
struct OrbitalEnergies {
    std::vector<OrbitalKind> kinds;       // spin and occupancy as the summary line names them
    std::vector<std::string> symmetries;  // "A1", "B2", ...; empty text when none was printed
    std::vector<double> energies;         // hartree, as printed
    double homo = 0.0;                    // highest occupied value over both spins
    double lumo = 0.0;                    // lowest virtual value over both spins
    bool homoFound = false;               // an occupied eigenvalue was read
    bool lumoFound = false;               // a virtual eigenvalue was read
};

// Reads the eigenvalue summary lines ("Alpha  occ. eigenvalues -- ...") that
// follow the last "Orbital Symmetries:" block (any letter case), or, when the
// file prints none after its last "Population analysis using ..." heading,
// those of that last population analysis, up to "Condensed to atoms".  Other
// numbers there (orbital coefficients, density matrices of a full population
// printout) are not eigenvalues and are not read.  `fileText` is the
// normalised output text.
OrbitalEnergies energiasorbitales(TextRef fileText);

}  // namespace zerlant
