#include "core/plotdata/curvecsv.hpp"

#include <algorithm>
#include <optional>

#include "core/plotdata/numbertext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::plotdata {

std::string xColumnName(Unit unit) {
    switch (unit) {
        case Unit::Wavenumber:
            return "wavenumber_cm-1";
        case Unit::Nanometre:
            return "wavelength_nm";
        case Unit::ElectronVolt:
            break;
    }
    return "energy_eV";
}

std::string yColumnName(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return "ir_intensity_km_mol";
        case Kind::Raman:
            return "raman_activity_A4_amu";
        case Kind::Uv:
            return "epsilon_L_mol-1_cm-1";
        case Kind::Ecd:
            break;
    }
    return "delta_epsilon_L_mol-1_cm-1";
}

std::string curvesCsv(const std::vector<std::string>& header, const std::vector<Curve>& curves) {
    std::string out;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (i)
            out += ',';
        out += separatedCell(header[i], ",");
    }
    out += '\n';
    if (curves.empty())
        return out;
    const auto& xs = curves.front().x;
    for (std::size_t r = 0; r < xs.size(); ++r) {
        out += numberText(xs[r]);
        for (const auto& c : curves) {
            out += ',';
            if (r < c.y.size())
                out += numberText(c.y[r]);
        }
        out += '\n';
    }
    return out;
}

std::string coordinateColumnName(const ScanCoordinate& c) {
    switch (c.kind) {
        case CoordinateKind::Distance:
            return c.name + "_angstrom";
        case CoordinateKind::Angle:
        case CoordinateKind::Dihedral:
            return c.name + "_degree";
        case CoordinateKind::Other:
            break;
    }
    return c.name;
}

std::string scanCsv(const std::vector<ScanProfile>& profiles) {
    const bool many = profiles.size() > 1;
    // Every coordinate of every file, once, in the order met.
    std::vector<std::string> columns;
    for (const auto& p : profiles)
        for (const auto& c : p.coordinates)
            if (std::find(columns.begin(), columns.end(), coordinateColumnName(c)) == columns.end())
                columns.push_back(coordinateColumnName(c));
    std::string out = many ? "file,step" : "step";
    for (const auto& c : columns) out += ',' + separatedCell(c, ",");
    out += ",energy_hartree,relative_energy_kcal_mol\n";
    for (const auto& p : profiles) {
        std::vector<std::optional<std::size_t>> from(columns.size());
        for (std::size_t k = 0; k < p.coordinates.size(); ++k) {
            auto at =
                std::find(columns.begin(), columns.end(), coordinateColumnName(p.coordinates[k]));
            from[static_cast<std::size_t>(at - columns.begin())] = k;
        }
        for (std::size_t i = 0; i < p.step.size(); ++i) {
            if (many)
                out += separatedCell(p.file, ",") + ',';
            out += numberText(p.step[i]);
            for (const auto& k : from) out += ',' + (k ? numberText(p.values[*k][i]) : "");
            out += ',' + numberText(p.energy[i]) + ',' + numberText(p.relative[i]) + '\n';
        }
    }
    return out;
}

}  // namespace zerlant::plotdata
