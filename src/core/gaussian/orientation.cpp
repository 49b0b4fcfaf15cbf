#include "core/gaussian/orientation.hpp"

#include <charconv>

#include "core/gaussian/lines.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// "      1          6           0        0.000000    0.000000    1.089000"
// "      1          6        0.000000    0.000000    1.089000"  (no type column)
std::optional<CartesianAtom> atomRow(const std::vector<std::string_view>& pieces) {
    if (pieces.size() != 5 && pieces.size() != 6)
        return std::nullopt;
    const auto z = gaussian::integer(pieces[1]);
    if (!gaussian::integer(pieces[0]) || !z)
        return std::nullopt;
    const std::size_t first = pieces.size() - 3;
    const auto x = toDouble(pieces[first]);
    const auto y = toDouble(pieces[first + 1]);
    const auto w = toDouble(pieces[first + 2]);
    if (!x || !y || !w)
        return std::nullopt;
    CartesianAtom atom;
    atom.atomicNumber = *z;
    atom.symbol = simboloelemento(*z);
    atom.x = *x;
    atom.y = *y;
    atom.z = *w;
    return atom;
}

}  // namespace

std::vector<CartesianAtom> readOrientationAtoms(std::string_view text) {
    // The rest of the heading line, the ruler, two heading lines, the ruler.
    std::size_t at = gaussian::lineAt(text, 0).next;
    int rulers = 0;
    for (int lines = 0; rulers < 2; ++lines) {
        if (at >= text.size() || lines > 6)
            return {};
        const auto line = gaussian::lineAt(text, at);
        rulers += gaussian::ruler(line.text) ? 1 : 0;
        at = line.next;
    }
    std::vector<CartesianAtom> atoms;
    std::vector<std::string_view> pieces;
    while (at < text.size()) {
        const auto line = gaussian::lineAt(text, at);
        at = line.next;
        if (gaussian::ruler(line.text))
            return atoms;
        gaussian::piecesOf(line.text, pieces);
        auto atom = atomRow(pieces);
        if (!atom)
            return {};  // a row that cannot be read: no geometry rather than part of one
        atoms.push_back(std::move(*atom));
    }
    return {};  // the block is cut off before its closing ruler
}

namespace orientation_detail {

std::size_t nextHeading(std::string_view text, std::size_t from, Orientation& kind,
                        std::size_t& length) {
    std::size_t best = std::string_view::npos;
    for (const Heading& h : kHeadings) {
        const std::size_t at = text.find(h.text, from);
        if (at < best) {
            best = at;
            kind = h.orientation;
            length = h.text.size();
        }
    }
    return best;
}

}  // namespace orientation_detail

std::optional<OrientationBlock> lastGeometry(std::string_view text) {
    using orientation_detail::kHeadings;
    std::size_t at = text.rfind(kHeadings[0].text);
    std::size_t length = kHeadings[0].text.size();
    Orientation kind = Orientation::Standard;
    if (at == std::string_view::npos) {
        for (std::size_t h = 1; h < std::size(kHeadings); ++h) {
            const std::size_t a = text.rfind(kHeadings[h].text);
            if (a != std::string_view::npos && (at == std::string_view::npos || a > at)) {
                at = a;
                length = kHeadings[h].text.size();
                kind = Orientation::Input;
            }
        }
    }
    if (at == std::string_view::npos)
        return std::nullopt;
    OrientationBlock block;
    block.orientation = kind;
    block.offset = at;
    block.atoms = readOrientationAtoms(text.substr(at + length));
    if (block.atoms.empty())
        return std::nullopt;
    return block;
}

}  // namespace zerlant
