#include "core/extract/geometry.hpp"

#include "core/extract/blocklines.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

template <typename Line>
GeometryTable fromArchive(const std::vector<Line>& moleculeLines) {
    GeometryTable table;
    if (moleculeLines.size() < 2)
        return table;
    table.resize(moleculeLines.size() - 1);
    for (std::size_t i = 1; i < moleculeLines.size(); ++i) {
        GeometryAtom& atom = table[i - 1];
        std::string_view line = moleculeLines[i];
        std::size_t field = 0;
        std::size_t from = 0;
        while (field < atom.size()) {
            std::size_t comma = line.find(',', from);
            atom[field++] = std::string(line.substr(
                from, comma == std::string_view::npos ? std::string_view::npos : comma - from));
            if (comma == std::string_view::npos)
                break;
            from = comma + 1;
        }
    }
    return table;
}

template <typename Line>
GeometryTable fromStandardOrientation(TextRef fileText, const std::vector<Line>& moleculeLines) {
    TextRef block = textoentre(fileText, gaussian::anchor::kStandardOrientation.start,
                               gaussian::anchor::kStandardOrientation.end, true);
    if (block.empty())
        return fromArchive(moleculeLines);

    // Atom lines read "centre atomic-number atomic-type X Y Z"; headings,
    // rulers and empty lines hold no number.
    GeometryTable table;
    std::vector<std::string_view> pieces;
    blocklines::forEachLine(block.text(), [&](std::size_t index, std::string_view line) {
        if (index < 1)
            return;
        blocklines::nonEmptyPieces(line, pieces);
        bool atomLine = false;
        for (std::string_view p : pieces)
            if (isNumeric(p)) {
                atomLine = true;
                break;
            }
        if (!atomLine)
            return;
        GeometryAtom& atom = table.emplace_back();
        if (pieces.size() > 1) {
            if (auto z = toInt16(pieces[1]))
                atom[0] = simboloelemento(*z);
        }
        for (std::size_t k = 3; k <= 5 && k < pieces.size(); ++k)
            atom[k - 2] = std::string(pieces[k]);
    });
    return table;
}

}  // namespace

GeometryTable geometriaentrada(const std::vector<std::string_view>& moleculeLines) {
    return fromArchive(moleculeLines);
}

GeometryTable geometriaentrada(const std::vector<std::string>& moleculeLines) {
    return fromArchive(moleculeLines);
}

GeometryTable geometriaoptimizada(TextRef fileText,
                                  const std::vector<std::string_view>& moleculeLines) {
    return fromStandardOrientation(fileText, moleculeLines);
}

GeometryTable geometriaoptimizada(TextRef fileText, const std::vector<std::string>& moleculeLines) {
    return fromStandardOrientation(fileText, moleculeLines);
}

}  // namespace zerlant
