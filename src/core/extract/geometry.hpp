#pragma once
// The geometry table of a file: the last "Standard orientation:" block of an
// optimisation, or the molecule section of the archive entry.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// Seven text fields per atom.  From a "Standard orientation:" block: symbol,
// X, Y, Z (angstrom, text as printed) and three empty fields.  From the
// archive's molecule lines: the first seven comma-separated parts verbatim
// (symbol, x, y, z; or symbol, freeze flag, x, y, z; or a Z-matrix line).
using GeometryAtom = std::array<std::string, 7>;
// 0-based: entry i is atom i+1.
using GeometryTable = std::vector<GeometryAtom>;

// `moleculeLines`: section 3 of the archive entry split at "|"; line 0 holds
// charge and multiplicity, lines 1..n one atom each.  Gives n atoms (none when
// only line 0 or nothing is there).
GeometryTable geometriaentrada(const std::vector<std::string_view>& moleculeLines);
GeometryTable geometriaentrada(const std::vector<std::string>& moleculeLines);

// The atoms of the last "Standard orientation:" block of the normalised output
// text (up to the next "Rotational constants"); the archive geometry when the
// file prints no such block.  An atomic number outside 1..103 or not an
// integer gives an empty symbol.
GeometryTable geometriaoptimizada(TextRef fileText,
                                  const std::vector<std::string_view>& moleculeLines);
GeometryTable geometriaoptimizada(TextRef fileText, const std::vector<std::string>& moleculeLines);

}  // namespace zerlant
