#include "core/plotdata/curvecsv.hpp"
#include "core/text/textutils.hpp"

#include "core/plotdata/numbertext.hpp"

namespace zerlant::plotdata {

namespace {}  // namespace

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

std::string scanCsv(const std::vector<ScanProfile>& profiles) {
    const bool many = profiles.size() > 1;
    std::string out = many ? "file,coordinate,relative_energy_kcal_mol\n"
                           : "coordinate,relative_energy_kcal_mol\n";
    for (const auto& p : profiles)
        for (std::size_t i = 0; i < p.coordinate.size(); ++i) {
            if (many)
                out += separatedCell(p.file, ",") + ',';
            out += numberText(p.coordinate[i]) + ',' + numberText(p.relative[i]) + '\n';
        }
    return out;
}

}  // namespace zerlant::plotdata
