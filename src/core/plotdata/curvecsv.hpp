#pragma once
// Curves as comma-separated text: a one-line header, then one row per point,
// numbers with '.' whatever the locale, each with the digits it needs to
// read back as the same double, lines ended by LF.  A value that is not a
// finite number is an empty field.

#include <string>
#include <vector>

#include "core/plotdata/broadening.hpp"
#include "core/plotdata/scanprofile.hpp"

namespace zerlant::plotdata {

// One x column and one y column per curve, all on the x of the first curve
// (curves computed on one grid).  `header` names the x column then each y
// column; fields that need it are quoted.
std::string curvesCsv(const std::vector<std::string>& header, const std::vector<Curve>& curves);

// Scan points: "step", one column per scanned coordinate of any file (named
// with its unit, "B_angstrom", "A_degree"), "energy_hartree" and
// "relative_energy_kcal_mol"; with several files a leading "file" column.
// A value that is not available is an empty field.
std::string scanCsv(const std::vector<ScanProfile>& profiles);

// The header name of an x axis ("wavenumber_cm-1", "wavelength_nm",
// "energy_eV") and of a kind's y values ("ir_intensity_km_mol", ...).
std::string xColumnName(Unit unit);
std::string yColumnName(Kind kind);
std::string coordinateColumnName(const ScanCoordinate& c);

}  // namespace zerlant::plotdata
