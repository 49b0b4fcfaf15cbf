#pragma once
// The first group of normal modes of the harmonic-frequency printout.

#include <array>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// Seven values per mode, in this order: frequency (cm-1, negative when
// imaginary), reduced mass (AMU), force constant (mDyne/A), IR intensity
// (KM/Mole), Raman activity, depolarisation ratio (plane light),
// depolarisation ratio (unpolarised light).  Values not printed stay 0.
using FrequencyMode = std::array<double, 7>;
// 0-based: entry i is mode i+1.
using FrequencyTable = std::vector<FrequencyMode>;

// The modes of the first group (at most three in Gaussian's standard
// printout) after the last "and normal coordinates:" heading of the
// normalised output text.  When the file has no such printout the table is
// the extraction's starting value: one mode of zeros.
FrequencyTable frecuencias(TextRef fileText);

}  // namespace zerlant
