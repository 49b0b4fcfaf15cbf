#include "core/gaussian/orientation.hpp"

#include <algorithm>
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

// A printed geometry never has this many atoms: the block is broken.
constexpr std::size_t kMostAtoms = 1'000'000;

}  // namespace

std::optional<Orientation> OrientationLines::heading(std::string_view line) {
    const std::string_view t = trimBlanks(line);
    for (const auto& h : orientation_detail::kHeadings)
        if (t == h.text)
            return h.orientation;
    return std::nullopt;
}

void OrientationLines::begin(Orientation kind) {
    open_ = true;
    block_.orientation = kind;
    // A block taken whole leaves no room: the next one most likely has as
    // many atoms, and is given exactly that.
    const std::size_t last = std::max(block_.atoms.size(), lastAtoms_);
    block_.atoms.clear();
    block_.atoms.reserve(last);
    rulers_ = 0;
    headLines_ = 0;
}

// A ruler, two heading lines, a ruler, one line per atom, a ruler.
OrientationLines::Read OrientationLines::line(std::string_view text) {
    if (gaussian::ruler(text)) {
        if (++rulers_ < 3)
            return Read::Taken;
        open_ = false;
        lastAtoms_ = block_.atoms.size();
        return block_.atoms.empty() ? Read::Broken : Read::Whole;
    }
    if (rulers_ < 2) {
        if (++headLines_ <= 4)
            return Read::Taken;
    } else if (block_.atoms.size() < kMostAtoms) {
        gaussian::piecesOf(text, pieces_);
        if (auto atom = atomRow(pieces_)) {
            block_.atoms.push_back(std::move(*atom));
            return Read::Taken;
        }
    }
    open_ = false;
    return Read::Broken;
}

std::vector<CartesianAtom> readOrientationAtoms(std::string_view text) {
    OrientationLines lines;
    lines.begin(Orientation::Standard);
    // The rest of the heading line first.
    for (std::size_t at = gaussian::lineAt(text, 0).next; at < text.size();) {
        const auto line = gaussian::lineAt(text, at);
        at = line.next;
        switch (lines.line(line.text)) {
            case OrientationLines::Read::Taken:
                break;
            case OrientationLines::Read::Whole:
                return std::move(lines.block().atoms);
            case OrientationLines::Read::Broken:
                return {};  // a row that cannot be read: no geometry rather than part of one
        }
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
    // The last block of any kind: a step prints its input orientation and
    // then, unless run without symmetry, its standard one, so the last block
    // is the standard orientation of the last step where one was printed.  A
    // standard orientation followed by input orientations only (a trajectory,
    // a later job run without symmetry) is an earlier geometry.
    std::size_t at = std::string_view::npos;
    std::size_t length = 0;
    Orientation kind = Orientation::Standard;
    for (const auto& heading : kHeadings) {
        const std::size_t a = text.rfind(heading.text);
        if (a != std::string_view::npos && (at == std::string_view::npos || a > at)) {
            at = a;
            length = heading.text.size();
            kind = heading.orientation;
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
