#include "core/gaussian/normalmodes.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/gaussian/anchors.hpp"
#include "core/gaussian/lines.hpp"
#include "core/text/numbers.hpp"

namespace zerlant {

namespace {

namespace anchor = gaussian::anchor;
using gaussian::lineAt;
using gaussian::piecesOf;

struct Label {
    std::string_view text;
    std::size_t field;
};
// The property lines by their label, standard and high-precision spelling;
// Gaussian 98 prints one depolarisation line, "Depolar     --".
constexpr Label kLabels[] = {
    {"Frequencies", 0},      {"Red. masses", 1}, {"Reduced masses", 1}, {"Frc consts", 2},
    {"Force constants", 2},  {"IR Inten", 3},    {"IR Intensities", 3}, {"Raman Activ", 4},
    {"Raman Activities", 4}, {"Depolar (P)", 5}, {"Depolar (U)", 6},    {"Depolar", 5},
};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithFolded(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(s[i]) != lower(prefix[i]))
            return false;
    return true;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A number Fortran printed ("********" is one it could not), else NaN.
double finite(std::string_view piece) {
    const auto v = toDouble(piece);
    return v && std::isfinite(*v) ? *v : kNotPrinted;
}

bool allIntegers(const std::vector<std::string_view>& pieces) {
    if (pieces.empty())
        return false;
    for (std::string_view p : pieces)
        for (char c : p)
            if (c < '0' || c > '9')
                return false;
    return true;
}

// Last occurrence of `needle` in `text` at or before `before`, letter case
// ignored.
std::size_t rfindFolded(std::string_view text, std::string_view needle,
                        std::size_t before = std::string_view::npos) {
    if (needle.empty() || text.size() < needle.size())
        return std::string_view::npos;
    std::size_t at = std::min(before, text.size() - needle.size());
    for (;;) {
        if (lower(text[at]) == lower(needle[0]) && startsWithFolded(text.substr(at), needle))
            return at;
        if (at == 0)
            return std::string_view::npos;
        --at;
    }
}

constexpr std::string_view kHeading = anchor::kNormalModes.start;

enum class Rows { None, Standard, HighPrecision };

class Reader {
  public:
    NormalModes read(std::string_view text) {
        std::size_t at = lineAt(text, 0).next;  // the rest of the heading line
        while (at < text.size()) {
            const auto line = lineAt(text, at);
            at = line.next;
            const std::string_view t = trimmed(line.text);
            if (t.empty() || startsWithFolded(t, "Harmonic frequencies") ||
                startsWithFolded(t, "- Thermochemistry -") ||
                startsWithFolded(t, anchor::kNormalTermination) ||
                startsWithFolded(t, "Error termination"))
                break;
            take(line.text);
        }
        closeGroup();
        // Every mode has the displacements of the same atoms, or none has.
        const std::size_t atoms = out_.modes.empty() ? 0 : out_.modes.front().displacements.size();
        for (const NormalMode& m : out_.modes)
            if (m.displacements.size() != atoms) {
                for (NormalMode& n : out_.modes) n.displacements.clear();
                break;
            }
        return std::move(out_);
    }

  private:
    // One line of the printout.  Lines of no known form are passed over, as
    // are property lines of an unknown label.
    void take(std::string_view line) {
        piecesOf(line, pieces_);
        if (allIntegers(pieces_)) {
            closeGroup();
            first_ = out_.modes.size();
            size_ = pieces_.size();
            out_.modes.resize(first_ + size_);
            expectSymmetry_ = true;
            rows_ = Rows::None;
            return;
        }
        if (size_ == 0)
            return;
        const std::string_view t = trimmed(line);
        if (const std::size_t dashes = line.find("--"); dashes != std::string_view::npos) {
            expectSymmetry_ = false;
            property(trimmed(line.substr(0, dashes)), line.substr(dashes + 2));
            return;
        }
        if (startsWithFolded(t, "Atom") && t.find("AN") != std::string_view::npos) {
            rows_ = Rows::Standard;
            expectSymmetry_ = false;
            return;
        }
        if (startsWithFolded(t, anchor::kPreciseModes.mark)) {
            rows_ = Rows::HighPrecision;
            out_.highPrecision = true;
            expectSymmetry_ = false;
            return;
        }
        if (expectSymmetry_) {
            expectSymmetry_ = false;
            if (pieces_.size() == size_)
                for (std::size_t k = 0; k < size_; ++k)
                    out_.modes[first_ + k].symmetry = std::string(pieces_[k]);
            return;
        }
        if (rows_ == Rows::Standard)
            standardRow();
        else if (rows_ == Rows::HighPrecision)
            highPrecisionRow();
    }

    void property(std::string_view label, std::string_view values) {
        if (!values.empty() && values.front() == '-')
            values.remove_prefix(1);  // "Frequencies ---"
        const Label* found = nullptr;
        for (const Label& l : kLabels)
            if (label == l.text) {
                found = &l;
                break;
            }
        if (!found)
            return;
        piecesOf(values, pieces_);
        for (std::size_t k = 0; k < size_ && k < pieces_.size(); ++k)
            out_.modes[first_ + k].properties[found->field] = finite(pieces_[k]);
    }

    // "     1   6     0.00   0.00   0.05     0.00   0.00   0.08    -0.00   0.00  -0.02"
    void standardRow() {
        const auto atom = pieces_.empty() ? std::nullopt : gaussian::integer(pieces_[0]);
        if (pieces_.size() != 2 + 3 * size_ || !atom || *atom != int(atoms_ + 1)) {
            broken_ = true;
            return;
        }
        ++atoms_;
        for (std::size_t k = 0; k < size_; ++k) {
            std::array<double, 3> d{};
            for (std::size_t c = 0; c < 3; ++c) {
                d[c] = finite(pieces_[2 + 3 * k + c]);
                broken_ = broken_ || std::isnan(d[c]);
            }
            out_.modes[first_ + k].displacements.push_back(d);
        }
    }

    // "   1     1     6          0.00000   0.00000   0.00000  -0.18677   0.05592"
    void highPrecisionRow() {
        const auto coord = pieces_.size() > 1 ? gaussian::integer(pieces_[0]) : std::nullopt;
        const auto atom = pieces_.size() > 1 ? gaussian::integer(pieces_[1]) : std::nullopt;
        if (pieces_.size() != 3 + size_ || !coord || !atom || *coord < 1 || *coord > 3 ||
            *atom < 1) {
            broken_ = true;
            return;
        }
        // Rows come atom by atom, x, y and z of each.
        const std::size_t row = std::size_t(*atom - 1) * 3 + std::size_t(*coord - 1);
        if (row != hpRows_) {
            broken_ = true;
            return;
        }
        ++hpRows_;
        for (std::size_t k = 0; k < size_; ++k) {
            auto& d = out_.modes[first_ + k].displacements;
            if (*coord == 1)
                d.push_back({kNotPrinted, kNotPrinted, kNotPrinted});
            const double v = finite(pieces_[3 + k]);
            broken_ = broken_ || std::isnan(v);
            d.back()[std::size_t(*coord - 1)] = v;
        }
        atoms_ = std::size_t(*atom);
    }

    void closeGroup() {
        if (size_ != 0 && (broken_ || (out_.highPrecision && hpRows_ % 3 != 0)))
            for (std::size_t k = 0; k < size_; ++k) out_.modes[first_ + k].displacements.clear();
        broken_ = false;
        atoms_ = 0;
        hpRows_ = 0;
    }

    NormalModes out_;
    std::vector<std::string_view> pieces_;
    std::size_t first_ = 0;
    std::size_t size_ = 0;
    bool expectSymmetry_ = false;
    Rows rows_ = Rows::None;
    bool broken_ = false;
    std::size_t atoms_ = 0;
    std::size_t hpRows_ = 0;
};

bool sameModes(const NormalModes& a, const NormalModes& b) {
    if (a.modes.size() != b.modes.size())
        return false;
    for (std::size_t k = 0; k < a.modes.size(); ++k) {
        const double fa = a.modes[k].properties[0];
        const double fb = b.modes[k].properties[0];
        if (!(std::abs(fa - fb) <= 1e-3))
            return false;
    }
    return true;
}

}  // namespace

NormalModes readNormalModes(std::string_view afterHeading) {
    return Reader().read(afterHeading);
}

void takePreciseDisplacements(NormalModes& modes, std::string_view previousPrintout) {
    if (modes.highPrecision || modes.modes.empty())
        return;
    NormalModes precise = readNormalModes(previousPrintout);
    if (!precise.highPrecision || !sameModes(precise, modes) ||
        precise.modes.front().displacements.empty())
        return;
    for (std::size_t k = 0; k < modes.modes.size(); ++k)
        modes.modes[k].displacements = std::move(precise.modes[k].displacements);
}

std::optional<NormalModes> lastNormalModes(std::string_view text) {
    const std::size_t at = rfindFolded(text, kHeading);
    if (at == std::string_view::npos)
        return std::nullopt;
    NormalModes modes = readNormalModes(text.substr(at + kHeading.size()));
    if (at > 0)
        if (const std::size_t before = rfindFolded(text, kHeading, at - 1);
            before != std::string_view::npos)
            takePreciseDisplacements(
                modes, text.substr(before + kHeading.size(), at - before - kHeading.size()));
    return modes;
}

void NormalModesCollector::line(std::string_view line) {
    // Gaussian ends the heading's line with it; outside a printout, a line
    // that does not end in a colon is passed over after one look.
    if (!capturing_) {
        std::size_t end = line.size();
        while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r' || line[end - 1] == ' ' ||
                           line[end - 1] == '\t'))
            --end;
        if (end == 0 || line[end - 1] != ':')
            return;
    }
    // Where a heading ends in this line: at a colon.
    std::size_t from = 0;
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos;
         colon = line.find(':', colon + 1)) {
        if (colon + 1 < kHeading.size())
            continue;
        const std::size_t at = colon + 1 - kHeading.size();
        if (at < from || !startsWithFolded(line.substr(at), kHeading))
            continue;
        if (capturing_)
            last_.append(line.substr(from, at - from));
        twoFound_ = found_;
        found_ = capturing_ = true;
        previous_.swap(last_);
        last_.clear();
        from = colon + 1;
    }
    if (!capturing_)
        return;
    if (from == 0 && gaussian::blank(lineAt(line, 0).text)) {
        capturing_ = false;  // the printout has ended
        return;
    }
    last_.append(line.substr(from));
}

std::optional<NormalModes> NormalModesCollector::modes() const {
    if (!found_)
        return std::nullopt;
    NormalModes modes = readNormalModes(last_);
    if (twoFound_)
        takePreciseDisplacements(modes, previous_);
    return modes;
}

}  // namespace zerlant
