#include "core/results/extractrecord.hpp"

#include <type_traits>

#include "core/text/numbers.hpp"

namespace zerlant {

namespace {

CellValue valueOf(const std::optional<double>& v) {
    return v ? CellValue(*v) : CellValue();
}

}  // namespace

CellValue resultValue(const ExtractRecord& r, ExtractBox box) {
    // The job health is read for failed files too: it says why they failed.
    switch (box) {
        case ExtractBox::File:
            return r.file;
        case ExtractBox::Status:
            return std::string(r.ok ? "OK" : "KO");
        case ExtractBox::Reason:
            return r.health ? CellValue(r.health->reason) : CellValue();
        case ExtractBox::ImaginaryCount:
            return r.health && r.health->nimag ? CellValue(double(*r.health->nimag)) : CellValue();
        case ExtractBox::LowestFrequency:
            return r.health ? valueOf(r.health->lowestFrequency) : CellValue();
        case ExtractBox::SpinSquared:
            return r.health ? valueOf(r.health->s2) : CellValue();
        case ExtractBox::Converged:
            return r.health && r.health->converged ? CellValue(*r.health->converged) : CellValue();
        default:
            break;
    }
    if (!r.ok)
        return {};
    switch (box) {
        case ExtractBox::Formula:
            return r.formula;
        case ExtractBox::Method:
            return r.method;
        case ExtractBox::Basis:
            return r.basis;
        case ExtractBox::Charge:
            return std::to_string(r.charge) + "  " + std::to_string(r.multiplicity);
        case ExtractBox::Symmetry:
            return r.pointGroup;
        case ExtractBox::Energy:
            return valueOf(r.energy);
        case ExtractBox::EnergyOpt:
            return valueOf(r.energyOpt);
        case ExtractBox::EnergyMethod:
            return valueOf(r.methodEnergy);
        case ExtractBox::Homo:
            return valueOf(r.homo);
        case ExtractBox::Lumo:
            return valueOf(r.lumo);
        case ExtractBox::Dipole:
            return valueOf(r.dipole);
        case ExtractBox::Volume:
            return valueOf(r.volume);
        case ExtractBox::A0:
            return valueOf(r.a0);
        case ExtractBox::R2:
            return valueOf(r.r2);
        case ExtractBox::Eps:
            return valueOf(r.eps);
        case ExtractBox::RSolv:
            return valueOf(r.rsolv);
        case ExtractBox::NonElectrostatic:
            return valueOf(r.nonElectrostatic);
        case ExtractBox::Cavitation:
            return valueOf(r.cavitation);
        case ExtractBox::DeltaG:
            return valueOf(r.deltaG);
        case ExtractBox::CpuTime:
            return r.cpuTime ? CellValue(*r.cpuTime) : CellValue();
        case ExtractBox::File:
        case ExtractBox::Status:
        case ExtractBox::Reason:
        case ExtractBox::ImaginaryCount:
        case ExtractBox::LowestFrequency:
        case ExtractBox::SpinSquared:
        case ExtractBox::Converged:
        case ExtractBox::Polar:
        case ExtractBox::Mulliken:
        case ExtractBox::Orbitals:
        case ExtractBox::Geometry:
        case ExtractBox::Freq:
        case ExtractBox::Thermo:
        case ExtractBox::TD:
            break;
    }
    return {};
}

std::string formatCell(const CellValue& value, const CellFormat& format) {
    return std::visit(
        [&](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return format.missing;
            else if constexpr (std::is_same_v<T, double>)
                return formatNumber(v, format.decimalSeparator);
            else if constexpr (std::is_same_v<T, std::string>)
                return v;
            else if constexpr (std::is_same_v<T, CpuTime>)
                return formatCpuTime(v, format.decimalSeparator);
            else
                return v ? format.yes : format.no;
        },
        value);
}

void writeResultRow(Table& table, std::size_t row, const ExtractRecord& record,
                    const CellFormat& format) {
    for (std::size_t c = 0; c < kResultColumns; ++c) {
        const ExtractBox box = kResultColumnBoxes[c];
        const bool always = box == ExtractBox::File || box == ExtractBox::Status ||
                            extractQuantity(box).onlyWhenNamed;  // the job health
        if (!record.ok && !always)
            table.set(c, row, "Error");
        else if (const CellValue value = resultValue(record, box);
                 const double* number = std::get_if<double>(&value))
            table.setNumber(c, row, *number, formatCell(value, format));
        else
            table.set(c, row, formatCell(value, format));
    }
}

}  // namespace zerlant
