#pragma once
// The table of thermal energy, heat capacity and entropy contributions that a
// frequency job prints.

#include <array>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// One table line: E (kcal/mol), Cv (cal/mol-K), S (cal/mol-K).
using ThermoLine = std::array<double, 3>;
// 0-based lines in the order printed: Total, Electronic, Translational,
// Rotational, Vibrational, then one per "Vibration N" line.
using ThermoTable = std::vector<ThermoLine>;

// The last such table of the normalised output text (from the last
// "Cal/Mol-Kelvin" to the next "Log10(Q)").  When the file has none the table
// is the extraction's starting value: one line of zeros.  A value that is not
// a number is stored as 0.
ThermoTable termoquimica(TextRef fileText);

}  // namespace zerlant
