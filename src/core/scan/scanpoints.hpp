#pragma once
// The points of a scan summary as numbers: each scanned coordinate with its
// kind (and so its unit), the step and the energy of every point.
//
// A summary looks like
//     "   N       B          A          SCF    "
//     " ----  ---------  ---------  -----------"
//     "    1     0.9000    90.0000    -76.39109"
// The columns between N and the energies are the scanned coordinates; the
// last energy column is the highest level the job printed (SCF, MP2, ...).

#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

enum class CoordinateKind { Distance, Angle, Dihedral, Other };

// "Å" for distances, "°" for angles and dihedrals, "" otherwise.
std::string_view coordinateUnit(CoordinateKind kind);

struct ScanCoordinate {
    std::string name;  // the Z-matrix variable ("B", "D7", "R1")
    CoordinateKind kind = CoordinateKind::Other;
};

// One scan point.  A value the file does not hold as a finite number is NaN
// (N/A): it is never read as 0 or as infinity.
struct ScanPoint {
    int step = 0;
    std::vector<double> coordinates;  // in the order of ScanFile::coordinates
    double energy = 0.0;              // hartree
};

struct ScanFile {
    std::string file;
    std::vector<ScanCoordinate> coordinates;
    std::string energyName;  // the title of the energy column used ("SCF")
    std::vector<ScanPoint> points;
};

// The coordinates and points of a summary (the text after "Summary of the
// potential surface scan:", lines ended by CR LF).  `moleculeSection` is the
// molecule section of the archive entry ("0,1|O|H,1,B|H,1,B,2,A"), whose
// Z-matrix tells a variable's kind by its place on the line; a name it does
// not hold is judged by its first letter (R or B: distance, A: angle, D:
// dihedral).  Lines that are not a point (rulers, text after the table) are
// passed over.
ScanFile readScanPoints(std::string_view summary, std::string_view moleculeSection);

}  // namespace zerlant
