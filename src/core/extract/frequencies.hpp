#pragma once
// Every normal mode of the last harmonic-frequency printout.

#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "core/gaussian/normalmodes.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

// Seven values per mode, in this order: frequency (cm-1, negative when
// imaginary), reduced mass (AMU), force constant (mDyne/A), IR intensity
// (KM/Mole), Raman activity, depolarisation ratio (plane light),
// depolarisation ratio (unpolarised light).  A value the file does not print
// (the Raman terms of a job without Raman, every value of a job without the
// printout) is NaN: no number, written as missing.
using FrequencyMode = std::array<double, 7>;
inline constexpr FrequencyMode kModeNotPrinted = {
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::quiet_NaN()};
// 0-based: entry i is mode i+1.
using FrequencyTable = std::vector<FrequencyMode>;

// Every mode, group after group (three a group in Gaussian's standard
// printout), after the last "and normal coordinates:" heading of the
// normalised output text.  When the file has no such printout the table is
// one mode of NaN (nothing printed).
FrequencyTable frecuencias(TextRef fileText);

// The printout under the last "and normal coordinates:" heading (any letter
// case) of the normalised text, displacements included; nullopt without one.
std::optional<NormalModes> lastNormalModes(TextRef fileText);
// The table of `modes`: one mode of NaN when there are none.
FrequencyTable frequencyTable(const std::optional<NormalModes>& modes);

}  // namespace zerlant
