#pragma once
// The energy profile of a potential-surface scan, from the points the Scan
// run read as numbers: per file, the energy of each point relative to the
// lowest one, in kcal/mol, against the scanned coordinates.  A scan of two
// coordinates is also a grid: the energy over the plane of both, for a map
// with contour lines.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/scan/scanpoints.hpp"
#include "core/scan/scanrun.hpp"

namespace zerlant::plotdata {

struct ScanProfile {
    std::string file;
    std::vector<ScanCoordinate> coordinates;  // what each values[k] holds
    std::string energyName;                   // the summary's title of the energy used ("SCF")
    std::vector<double> step;                 // the point numbers
    std::vector<std::vector<double>> values;  // values[k][i]: coordinate k of point i
    std::vector<double> energy;               // hartree; NaN: not available
    std::vector<double> relative;             // kcal/mol above the lowest point; NaN likewise
    std::optional<std::size_t> lowest;        // the lowest point, when any energy is available

    // The first coordinate of every point: the x of a profile.
    const std::vector<double>& x() const { return values.front(); }
    // Two coordinates or more: a grid, drawn as one curve per value of the second.
    bool twoDimensional() const { return values.size() >= 2; }
};

// One profile per file with points; a file whose summary names no
// coordinate plots its energies against the step.
std::vector<ScanProfile> scanProfiles(const std::vector<ScanFile>& files);
// The same for the jobs of a Scan run.
std::vector<ScanProfile> scanProfiles(const std::vector<ScanJob>& jobs);

// Relative energies in kcal/mol and the lowest point.
void fillRelative(ScanProfile& profile);

// The points whose first coordinate lies between `a` and `b` (either order),
// relative energies taken anew.
ScanProfile withinRange(const ScanProfile& profile, double a, double b);

// The distinct values of a coordinate in the order met, NaN left out.
// Values closer than 1e-6 of their size are one value.
std::vector<double> distinctValues(const std::vector<double>& values);

// The grid of a two-coordinate scan: x the first coordinate, y the second,
// both ascending; z[j * xs.size() + i] the relative energy at (xs[i], ys[j]),
// NaN where the scan has no point there.
struct ScanGrid {
    std::string file;
    ScanCoordinate xCoordinate, yCoordinate;
    std::vector<double> xs, ys, z;
    std::optional<std::pair<std::size_t, std::size_t>> lowest;  // (i, j)
    double zAt(std::size_t i, std::size_t j) const { return z[j * xs.size() + i]; }
};
std::optional<ScanGrid> scanGrid(const ScanProfile& profile);

// A contour line piece from (x1, y1) to (x2, y2).
struct Segment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

// Round contour levels (1, 2 or 5 times a power of ten apart) strictly
// between the grid's lowest and highest energies, about `count` of them.
std::vector<double> contourLevels(const ScanGrid& grid, int count = 8);

// The contour line of `level` through the grid, by marching squares with
// linear interpolation along the cell edges; cells with a missing corner
// are left out.
std::vector<Segment> contourSegments(const ScanGrid& grid, double level);

}  // namespace zerlant::plotdata
