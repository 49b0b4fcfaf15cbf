#pragma once
// Published zero-point-energy scale factors of harmonic frequencies, for the
// thermochemistry of a method and basis set, with where each comes from.
// Nothing here is applied by itself: a caller looks a factor up on request
// and says which one it used.

#include <span>
#include <string>
#include <string_view>

namespace zerlant::thermo {

struct ScaleFactor {
    std::string_view method;  // as usually written: "B3LYP", "M06-2X", "wB97X-D"
    std::string_view basis;   // "6-31G(d)", "def2-TZVP"
    double factor;            // multiplies every harmonic frequency
    std::string_view source;  // authors, journal, year
};

// Every row, in the order they are listed.
std::span<const ScaleFactor> scaleFactorTable();

// The row of a method and basis set however they are spelled: case, blanks,
// hyphens, "*" for "(d)" and "**" for "(d,p)", Gaussian's names ("M062X",
// "wB97XD", "PBEPBE", "MP2-FC") and its r/u prefix of a restricted or
// unrestricted method ("RB3LYP") all find the same row.  nullptr when the
// table has none.
const ScaleFactor* findScaleFactor(std::string_view method, std::string_view basis);

// The same for "METHOD/BASIS" written as one ("b3lyp/6-31g*"); nullptr also
// when there is no "/".
const ScaleFactor* findScaleFactor(std::string_view level);

}  // namespace zerlant::thermo
