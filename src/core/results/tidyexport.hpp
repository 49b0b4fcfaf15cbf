#pragma once
// Exports for scripts rather than people: RFC 4180 CSV and JSON of the
// Extract results, keyed by the quantities' keys ("file", "formula", ...)
// whatever the language, numbers with "." decimals whatever the locale, and
// missing values empty (CSV) or null (JSON), never 0; and the final geometry
// of every file as one multi-structure XYZ file.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// The version of the JSON records' layout, the first key of every record
// (docs/extract.schema.json describes it).  Version 2: charge and
// multiplicity as two integers, orbitals by spin and occupancy, the printed
// Cartesian geometry with atomic numbers, normal-mode displacements.
inline constexpr int kExtractSchemaVersion = 2;

// The Extract results as the tidy exports read them: the typed record of
// each row's file, in row order.
struct TidyResults {
    std::span<const ExtractRecord> records;
};

// One header line of the chosen single-valued keys, then one row per file;
// CR LF line ends, cells quoted where they hold a comma, quote, CR or LF.
// A failed file keeps its name and status "KO", its other cells empty.
std::string tidyCsv(const TidyResults& results, const ExtractBoxes& boxes);

// An array of one object per file: the chosen single-valued keys (numbers
// as JSON numbers, missing values null) and the chosen blocks as arrays of
// objects whose keys name their units ("frequency_cm-1", "charge_e", ...).
std::string tidyJson(const TidyResults& results, const ExtractBoxes& boxes);

// Every file with a Cartesian geometry, one XYZ structure each: atom count,
// a title line (file name and energy in hartree), one "El x y z" line per
// atom in angstrom.  A failed job gives the last geometry it printed, its
// title saying so.  `skipped` receives the names of files without one.
std::string multiXyz(const TidyResults& results, std::vector<std::string>& skipped);

// One XYZ structure: the atom count, `title` as one line of UTF-8 (control
// characters and line separators made blanks), one "El x y z" line per atom
// in angstrom.  Empty when there is no atom or an atom is no element (a
// ghost, dummy or translation-vector centre has no place in XYZ).
std::string xyzStructure(std::string_view title, const std::vector<CartesianAtom>& atoms);

}  // namespace zerlant
