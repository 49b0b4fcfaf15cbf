#pragma once
// Locale-free reading and writing of the numbers of the spectra module.

#include <optional>
#include <string>
#include <string_view>

namespace zerlant::plotdata {

// The number a whole field holds ("-382.29428", "1,5", "1E-05"), surrounding
// blanks allowed; a decimal comma counts as a point.  nullopt otherwise.
std::optional<double> numberIn(std::string_view field);

// The shortest text with '.' that reads back as the same double ("0.5",
// "1e-07", "1.7976931348623157e+308"); with `digits`, at most that many
// significant digits.  The empty text for NaN and infinities: a value that
// is not available.
std::string numberText(double value);
std::string numberText(double value, int digits);

}  // namespace zerlant::plotdata
