#pragma once
// Locale-free reading and writing of the numbers of the spectra module.

#include <optional>
#include <string>
#include <string_view>

namespace zerlant::plotdata {

// The number a whole field holds ("-382.29428", "1,5", "1E-05"), surrounding
// blanks allowed; a decimal comma counts as a point.  nullopt otherwise.
std::optional<double> numberIn(std::string_view field);

// Up to `digits` significant digits with '.', no trailing zeros ("0.5", "1e-07").
std::string numberText(double value, int digits = 10);

}  // namespace zerlant::plotdata
