#pragma once
// The spreadsheet export: an ExportTable written as an .xlsx workbook of one
// sheet.
//
// Cell rules:
//  * table row r is sheet row r + 1 (the titles are row 1, in bold);
//  * the written columns (all but those `columnasvacias` lists) are packed to
//    the left: A, B, ..., Z, AA, ..., AZ, BA, ...;
//  * every written cell is centred;
//  * a cell written with its number (Table::setNumber) is stored as that
//    number, formatted "#0.00######"; every other cell, the empty ones
//    included, is text formatted "@".  No text is ever read as a number: the
//    tables carry the numbers of the values they show.
//
// The numbers in the workbook's XML never depend on the locale: while the
// workbook is written, the calling thread uses the C number format
// (uselocale; the process locale and other threads are untouched).

#include <cstddef>
#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/files/atomicwrite.hpp"
#include "core/results/table.hpp"

namespace zerlant {

inline constexpr std::string_view kNumberCellFormat = "#0.00######";
inline constexpr std::string_view kTextCellFormat = "@";

// The name of the k-th written column, k from 1: "A" .. "Z", "AA" .. "AZ",
// "BA" ...  Empty for k = 0.
std::string spreadsheetColumnName(std::size_t k);
// The address of written column k (from 1) in sheet row `row` (from 1): "AB7".
std::string spreadsheetCellAddress(std::size_t k, std::size_t row);

// The name of the workbook for the folder the browser shows: the text
// export's name with ".xlsx" ("jobs.xlsx").
std::string excelFileName(std::string_view currentFolder);

// Writes the table as a workbook to `path` with the atomic writer, under
// `rule`.  Any failure is returned and leaves no partial file behind; the
// caller shows SheetExportFailed.
Status writeExcelWorkbook(const Table& table, const std::string& path,
                          const WriteRule& rule = WriteRule::rewrite());

// The export of the spreadsheet buttons: the workbook
// <programFolder>/<excelFileName(currentFolder)>.  Gives the path written,
// which the window then opens in the desktop's spreadsheet program.
Result<std::string> exportarexcel(const Table& table, const std::string& programFolder,
                                  std::string_view currentFolder);

}  // namespace zerlant
