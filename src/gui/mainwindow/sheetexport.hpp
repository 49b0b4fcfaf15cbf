#pragma once
// The spreadsheet export of the reading panels: the export table written as
// an .xlsx workbook where the user chose, then opened in the desktop's
// spreadsheet program.

#include <QString>
#include <string>

#include "core/results/table.hpp"

namespace zerlant::gui {

struct PanelContext;

// Writes the workbook to `path` and opens it.  SheetExportFailed when it cannot be
// written; a message naming the file when no program opens it.  Gives the
// path written, or the empty text.
QString writeAndOpenWorkbook(PanelContext& ctx, const Table& table, const QString& path);

}  // namespace zerlant::gui
