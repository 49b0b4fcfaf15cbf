#pragma once
// Atom symbols and Mulliken charges of the last Mulliken population block, and
// the molecular formula written from the symbols.

#include <string>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// 0-based: entry i is atom i+1.  Both lists always have the same length.
struct MullikenCharges {
    std::vector<std::string> symbols;
    std::vector<double> charges;
};

// Reads the last Mulliken block ("Mulliken atomic charges:", "Total atomic
// charges:", "Mulliken charges:", "Mulliken charges and spin densities:",
// tried in that order, each up to "Sum of Mulliken") of the normalised output
// text into `lists` and returns true.
//
// A file without such a block returns false and leaves `lists` as they are:
// the extraction run keeps one MullikenCharges for the whole run, so such a
// file carries the previous file's lists (the run's caller decides what the
// formula of that file is).  A block that is found replaces the lists whole.
// A charge that is not a number is stored as 0.
bool cargasmulliken(TextRef fileText, MullikenCharges& lists);

// Each element once, in order of first appearance, followed by its count when
// the count exceeds 1 ("CH4", "OH2", "H2O").  Symbols are compared exactly.
// Empty symbols are passed over; an empty list gives the empty text.
std::string formulamolecular(const std::vector<std::string>& symbols);

}  // namespace zerlant
