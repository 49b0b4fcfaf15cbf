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

struct AimRun {
    Table table;                      // the AimTable, kAimColumns wide
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
