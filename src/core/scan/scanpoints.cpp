#include "core/scan/scanpoints.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

constexpr double kNotAvailable = std::numeric_limits<double>::quiet_NaN();

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::string_view f : splitText(line, " "))
        if (!f.empty())
            out.push_back(f);
    return out;
}

// A field that is wholly a number; an overflowing one ("1.8e308") is a
// number whose value is not available.
std::optional<double> fieldNumber(std::string_view field) {
    const char* begin = field.data();
    const char* end = field.data() + field.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0.0;
    auto [stop, ec] = std::from_chars(begin, end, value);
    if (stop != end || begin == end)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range || !std::isfinite(value))
        return kNotAvailable;
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

// The Z-matrix variable on a line's field `index`: 2 a bond length, 4 an
// angle, 6 a dihedral ("H,1,B,2,A,3,-D").
CoordinateKind kindInZMatrix(std::string_view name, std::string_view molecule) {
    for (std::string_view line : splitText(molecule, "|")) {
        const auto parts = splitText(line, ",");
        for (std::size_t i = 2; i < parts.size() && i <= 6; i += 2) {
            std::string_view v = trimBlanks(parts[i]);
            if (!v.empty() && (v.front() == '-' || v.front() == '+'))
                v.remove_prefix(1);
            if (v == name)
                return i == 2   ? CoordinateKind::Distance
                       : i == 4 ? CoordinateKind::Angle
                                : CoordinateKind::Dihedral;
        }
    }
    return CoordinateKind::Other;
}

bool digitsOnly(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A title that names a coordinate: a variable of the Z-matrix, or a name of
// the form R1, B2, A3, D4.
std::optional<CoordinateKind> coordinateKind(std::string_view title, std::string_view molecule) {
    if (auto kind = kindInZMatrix(title, molecule); kind != CoordinateKind::Other)
        return kind;
    if (title.empty() || !digitsOnly(title.substr(1)))
        return std::nullopt;
    switch (title.front()) {
        case 'R':
        case 'B':
            return CoordinateKind::Distance;
        case 'A':
            return CoordinateKind::Angle;
        case 'D':
            return CoordinateKind::Dihedral;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::string_view coordinateUnit(CoordinateKind kind) {
    switch (kind) {
        case CoordinateKind::Distance:
            return "Å";
        case CoordinateKind::Angle:
        case CoordinateKind::Dihedral:
            return "°";
        case CoordinateKind::Other:
            break;
    }
    return "";
}

ScanFile readScanPoints(std::string_view summary, std::string_view moleculeSection) {
    ScanFile out;
    std::vector<std::string_view> titles;
    std::vector<std::size_t> coordinateColumns;
    std::optional<std::size_t> energyColumn;
    for (std::string_view line : splitText(summary, "\r\n")) {
        if (line.find("----") != std::string_view::npos)
            continue;
        const auto fields = fieldsOf(line);
        if (fields.empty())
            continue;
        if (titles.empty()) {
            // "   N      D7          SCF    "
            titles = fields;
            for (std::size_t i = 1; i < titles.size(); ++i) {
                if (auto kind = coordinateKind(titles[i], moleculeSection)) {
                    coordinateColumns.push_back(i);
                    out.coordinates.push_back({std::string(titles[i]), *kind});
                } else {
                    energyColumn = i;
                }
            }
            if (energyColumn)
                out.energyName = std::string(titles[*energyColumn]);
            continue;
        }
        // "    1  -180.0000   -382.29428": every field a number, the first a step.
        std::vector<double> values;
        bool point = true;
        for (std::string_view f : fields) {
            auto v = fieldNumber(f);
            if (!v) {
                point = false;
                break;
            }
            values.push_back(*v);
        }
        if (!point || values.size() < 2 || !std::isfinite(values[0]) ||
            values[0] != std::floor(values[0]) || std::abs(values[0]) > 1e9)
            continue;
        ScanPoint p;
        p.step = static_cast<int>(values[0]);
        auto at = [&](std::size_t i) { return i < values.size() ? values[i] : kNotAvailable; };
        for (std::size_t c : coordinateColumns) p.coordinates.push_back(at(c));
        p.energy = energyColumn ? at(*energyColumn) : kNotAvailable;
        out.points.push_back(std::move(p));
    }
    return out;
}

}  // namespace zerlant
