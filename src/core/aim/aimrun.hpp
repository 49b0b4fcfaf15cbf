#pragma once
// The Aim tool's run: the bond critical points of the ticked AIM summary
// files (".sum") of the working file list, one row per point, in the
// AimTable.
//
// Layout of the table: row 0 holds the titles (the eight check-box captions
// in capitals); the first file with bond critical points fills rows 1 on;
// every later such file starts with a title row of its own.  A file's name
// stands on its first row only.  Columns: file name, type line, rho, its
// Laplacian, bond ellipticity, V, G, H = G + V (rounded to the decimals of
// the V and G written).  Numbers are written with the
// caller's decimal separator; a missing value is 0 (the type: empty text).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// One bond critical point of a summary file, as the listing prints it:
//   "CP# 1      Coords =  0.00000000E+00  0.00000000E+00  1.39390012E+00"
//   "           Type = (3,-1) BCP O1 H2"
//   "           Rho =  3.6599446587E-01"
//   "           DelSqRho = -2.5017366398E+00"
//   "           Bond Ellipticity =  1.4543432849E-02"
//   "           V = -7.0632186296E-01"
//   "           G =  4.1585957781E-02"
// A value the point does not print reads as 0.
struct BondCriticalPoint {
    std::string type;  // "(3,-1) BCP O1 H2"
    double rho = 0.0;
    double laplacian = 0.0;  // DelSqRho
    double ellipticity = 0.0;
    double v = 0.0;
    double g = 0.0;
    // G + V, rounded to the decimals of the V and G the table writes.
    double h = 0.0;
};

// The bond critical points of one summary file that has any.
struct AimFile {
    std::string name;
    std::string path;
    std::vector<BondCriticalPoint> points;
};

// The bond critical points of a summary file's text (any line ends).
std::vector<BondCriticalPoint> readBondCriticalPoints(std::string_view bytes);

struct AimRun {
    Table table;                      // the AimTable, kAimColumns wide
    std::vector<AimFile> files;       // what the table shows, as numbers
    std::vector<std::size_t> untick;  // rows of the file list to untick (not ".sum" files)
    std::vector<Error> failures;      // ".sum" files that could not be read; they leave no row
};

// Runs the Aim tool over `files` (row 0 is the heading row and is looked at
// like any other ticked row).  A ticked file whose name does not end in
// ".sum" is unticked.  The files are only read, never changed.  nullopt when
// `progress` cancelled the run.
std::optional<AimRun> runAim(const FileRows& files, const MessageLookup& message,
                             char decimalSeparator, const RunProgress& progress = {});

// The file's bytes with every line end made CR LF (CR LF, lone LF and lone CR
// all count as line ends).  The listing's values are read up to a CR LF, and
// summary files written on Linux end their lines with LF alone.
std::string withCrLfLineEnds(std::string_view bytes);

}  // namespace zerlant
