#pragma once
// The energy profile of a potential-surface scan, from the ScanTable of the
// Scan tool: per file, the energy of each scan point relative to the lowest
// one, in kcal/mol, against the scanned coordinate.

#include <cstddef>
#include <string>
#include <vector>

#include "core/results/table.hpp"

namespace zerlant::plotdata {

struct ScanProfile {
    std::string file;            // column 0 of the file's first point
    std::string coordinateName;  // the summary's title of the first coordinate ("D7")
    std::string energyName;      // the summary's title of the energy used ("SCF")
    std::vector<double> step;    // the point numbers
    std::vector<double> coordinate;
    std::vector<double> energy;    // hartree, as printed
    std::vector<double> relative;  // kcal/mol above the lowest point
    std::size_t lowest = 0;        // index of the lowest point
};

// One profile per file of the table.  A title row (column 7 not a number,
// such as "N") starts a file; a point row has the step in column 7, the
// coordinates after it and the energy in its last numeric field (the highest
// level printed when a summary has several energy columns).  Rows of neither
// kind (rulers "----") are passed over; files without points are left out.
// Numbers may use '.' or ','.
std::vector<ScanProfile> scanProfiles(const Table& scanTable);

// Relative energies in kcal/mol and the index of the lowest point.
void fillRelative(ScanProfile& profile);

}  // namespace zerlant::plotdata
