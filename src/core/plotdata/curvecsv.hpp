#pragma once
// Curves as comma-separated text: a one-line header, then one row per point,
// numbers with '.' whatever the locale, lines ended by LF.

#include <string>
#include <vector>

#include "core/plotdata/broadening.hpp"
#include "core/plotdata/scanprofile.hpp"

namespace zerlant::plotdata {

// One x column and one y column per curve, all on the x of the first curve
// (curves computed on one grid).  `header` names the x column then each y
// column; fields that need it are quoted.
std::string curvesCsv(const std::vector<std::string>& header, const std::vector<Curve>& curves);

// Scan profiles as "coordinate,relative_energy_kcal_mol" rows; with several
// files a leading "file" column tells them apart.
std::string scanCsv(const std::vector<ScanProfile>& profiles);

// The header name of an x axis ("wavenumber_cm-1", "wavelength_nm",
// "energy_eV") and of a kind's y values ("ir_intensity_km_mol", ...).
std::string xColumnName(Unit unit);
std::string yColumnName(Kind kind);

}  // namespace zerlant::plotdata
