#pragma once
// What the Scan and Aim tools share: the progress callback of their runs, the
// captions of their check boxes as table titles, and the export tables built
// from the ScanTable and the AimTable.
//
// The check boxes of the two panels do not steer the reading; they choose, at
// export time, which columns of the run's table reach the export table.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/common/types.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// Called before each ticked row of the file list is looked at, with the row's
// index in the list and its file name.  Returning false cancels the run; a
// cancelled run gives back no tables.
using RunProgress = std::function<bool(std::size_t index, const std::string& name)>;

// The ScanTable: columns 0 to 6 hold the file's values beside its first scan
// point, columns 7 to 20 the fields of the summary lines.
inline constexpr std::size_t kScanColumns = 21;
inline constexpr std::size_t kScanFileColumns = 7;
// Caption messages of the Scan panel's check boxes in column order: file,
// formula, method, basis set, charge, CPU time, status.
inline constexpr std::array<MessageId, kScanFileColumns> kScanCaptionMessages = {
    MessageId::File,
    MessageId::Formula,
    MessageId::Method,
    MessageId::BasisSet,
    MessageId::ChargeMultiplicity,
    MessageId::CpuTime,
    MessageId::Status};
// The Scan panel's check boxes in column order (true = ticked; the panel
// starts with all of them ticked).
using ScanColumnChecks = std::array<bool, kScanFileColumns>;

// The AimTable: file name, type, rho, its Laplacian, bond ellipticity, V, G
// and H = G + V.
inline constexpr std::size_t kAimColumns = 8;
// Caption messages of the Aim panel's check boxes in column order.
inline constexpr std::array<MessageId, kAimColumns> kAimCaptionMessages = {
    MessageId::File,        MessageId::AimType,    MessageId::Rho,      MessageId::DelSqRho,
    MessageId::Ellipticity, MessageId::VPotential, MessageId::GKinetic, MessageId::HTotal};
using AimColumnChecks = std::array<bool, kAimColumns>;

// The tables as the Scan and Aim panels re-create them when they are shown:
// empty, 8 columns by 2 rows and 8 columns by 1 row.
inline Table emptyScanTable() {
    return Table(8, 2);
}
inline Table emptyAimTable() {
    return Table(kAimColumns, 1);
}

// A caption in capital letters, as the tables' title rows show it: ASCII
// letters and the Latin-1 letters of UTF-8 text (á -> Á); other bytes stay.
std::string upperCaption(std::string_view caption);

// Whether a ScanTable / AimTable column goes into the export: for the columns
// of the check boxes their state, true for every other column number.
bool columnaelegidascan(long column, const ScanColumnChecks& checks);
bool columnaelegidaaim(long column, const AimColumnChecks& checks);

// The export table of the Scan / Aim panel: kToolExportColumns (38) columns and the source's rows;
// the chosen columns of the source, in order, packed to the left.
Table prepararexportacionscan(const Table& scanTable, const ScanColumnChecks& checks);
Table prepararexportacionaim(const Table& aimTable, const AimColumnChecks& checks);

}  // namespace zerlant
