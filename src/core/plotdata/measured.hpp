#pragma once
// A measured spectrum to lay over a computed one: a two-column text or CSV
// file of x, y in the plot's own unit.

#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/plotdata/broadening.hpp"

namespace zerlant::plotdata {

// Lines hold x and y separated by a comma, a semicolon (then a decimal comma
// is allowed), tabs or blanks; further columns are ignored.  Empty lines,
// lines starting with '#' and lines whose first two fields are not numbers
// (a header) are passed over.  The points come sorted by x.  An error when
// no line holds a point.
Result<Curve> parseMeasured(std::string_view text);
// The error message of a file without any point, for the windows to put in
// the user's language.
inline constexpr std::string_view kNoPairsFound = "no x, y pairs found";
Result<Curve> readMeasured(const std::string& path);

// The factor that makes the measured curve's largest |y| inside the computed
// curve's x range equal to the computed curve's largest |y|; 1 when either
// is zero.
double matchingScale(const Curve& measured, const Curve& computed);

// The curve with every y multiplied by `factor`.
Curve scaled(Curve curve, double factor);

}  // namespace zerlant::plotdata
