#pragma once
// Molecular formulas in Hill order: carbon first, then hydrogen, then the
// other elements alphabetically; without carbon every element, hydrogen
// included, alphabetically.  A count of 1 is not written.  One rule for
// every formula the program shows or hands to scripts, whatever wrote it:
// the Mulliken block's order of first appearance ("OH2"), the archive's
// stoichiometry with its counts of 1 ("H2O1"), or atomic numbers.

#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

// The formula text rewritten in Hill order: "OH2" and "H2O1" give "H2O",
// "C2H5O1(1-)" gives "C2H5O(1-)" (a charge or multiplicity in parentheses
// at the end is kept).  An element written twice is counted once ("CH3CH3"
// gives "C2H6").  A text that is not a formula is returned unchanged.
std::string hillFormula(std::string_view formula);

// The formula of an atom list of element symbols ("O", "H", "H" gives
// "H2O"); symbols are counted as written.
std::string hillFormula(const std::vector<std::string>& symbols);

}  // namespace zerlant
