#include "core/results/viewtable.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "core/text/formula.hpp"
#include "core/text/numbers.hpp"

namespace zerlant {

namespace {

using namespace viewmsg;

constexpr ShownPrecision kRead{};
constexpr ShownPrecision fixedDecimals(int d) {
    return {d, false};
}
// Energies: "SCF Done:" prints 10 decimals, the archive as many as it
// needs; trailing zeros are not Gaussian's.
constexpr ShownPrecision kEnergy{10, true};

// Gaussian prints orbital energies with 5 decimals, the dipole's total and
// <S**2> with 4, the frequencies block with 4, Mulliken charges with 6, the
// thermochemistry table with 3; the other quantities are shown as read.
QuantityView viewOf(ExtractBox box) {
    switch (box) {
        case ExtractBox::Energy:
        case ExtractBox::EnergyOpt:
        case ExtractBox::EnergyMethod:
        case ExtractBox::NonElectrostatic:
            return {kEnergy, kHartree, {}};
        case ExtractBox::Homo:
        case ExtractBox::Lumo:
            return {fixedDecimals(5), kHartree, {}};
        case ExtractBox::Dipole:
            return {fixedDecimals(4), kDebye, {}};
        case ExtractBox::A0:
        case ExtractBox::RSolv:
            return {kRead, kAngstrom, {}};
        case ExtractBox::R2:
            return {kRead, kAtomicUnits, {}};
        case ExtractBox::DeltaG:
            return {kRead, kKcalPerMol, {}};
        case ExtractBox::CpuTime:
            return {kRead, kCpuTimeUnit, {}};
        case ExtractBox::ImaginaryCount:
            return {fixedDecimals(0), {}, {}};
        case ExtractBox::LowestFrequency:
            return {fixedDecimals(4), kWavenumber, {}};
        case ExtractBox::SpinSquared:
            return {fixedDecimals(4), {}, {}};
        default:
            return {kRead, {}, {}};
    }
}

std::string fixedText(double value, int decimals, bool trim) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return formatNumber(value, '.');
    std::string out(buffer, end);
    if (trim && out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.')
            out.pop_back();
    }
    if (out.find_first_not_of("-0.") == std::string::npos && out[0] == '-')
        out.erase(0, 1);  // no "-0.0000"
    return out;
}

std::string message(const MessageLookup& m, MessageId id) {
    return m && id != MessageId{} ? m(id) : std::string();
}

CellValue numberOrMissing(double v) {
    return std::isnan(v) ? CellValue() : CellValue(v);
}

// The titles of the thermochemistry table, which carry their units.
enum class FixedTitle : unsigned char { None, ThermalEnergy, HeatCapacity, Entropy };

// The columns of a block: title, unit message and precision.
struct BlockColumn {
    MessageId title;  // MessageId{}: the block's caption
    MessageId unit;
    ShownPrecision precision;
    MessageId tip{};
    FixedTitle fixed = FixedTitle::None;
};

std::vector<BlockColumn> blockColumns(ExtractBox block) {
    switch (block) {
        case ExtractBox::Orbitals:
            return {{MessageId::Orbital, {}, kRead},
                    {MessageId::OrbitalSymmetry, {}, kRead},
                    {MessageId::OrbitalEnergies, kHartree, fixedDecimals(5), kOrbitalEnergyTip}};
        case ExtractBox::Polar:
            return {{kComponent, {}, kRead}, {{}, kBohrCubed, kRead}};
        case ExtractBox::Mulliken:
            return {{kAtom, {}, kRead},
                    {kCharge, kElementaryCharge, fixedDecimals(6), kMullikenChargeTip}};
        case ExtractBox::Geometry:
            return std::vector<BlockColumn>(7, {{}, {}, kRead});
        case ExtractBox::Freq:
            return {{{}, kWavenumber, fixedDecimals(4), kFrequencyTip},
                    {MessageId::ReducedMass, kAmu, fixedDecimals(4)},
                    {MessageId::ForceConstant, kForceConstantUnit, fixedDecimals(4)},
                    {MessageId::IrIntensity, kKmPerMol, fixedDecimals(4)},
                    {MessageId::RamanActivity, kRamanUnit, fixedDecimals(4)},
                    {MessageId::DepolarizationP, {}, fixedDecimals(4)},
                    {MessageId::DepolarizationU, {}, fixedDecimals(4)}};
        case ExtractBox::Thermo:
            return {{MessageId::ThermochemistryTitle, {}, kRead},
                    {{}, {}, fixedDecimals(3), {}, FixedTitle::ThermalEnergy},
                    {{}, {}, fixedDecimals(3), {}, FixedTitle::HeatCapacity},
                    {{}, {}, fixedDecimals(3), {}, FixedTitle::Entropy}};
        case ExtractBox::TD:
            return {{MessageId::State, {}, fixedDecimals(0)},
                    {MessageId::EnergyEv, {}, fixedDecimals(4)},
                    {MessageId::WavelengthNm, {}, fixedDecimals(2)},
                    {MessageId::OscillatorStrength, {}, fixedDecimals(4)},
                    {MessageId::RotatoryStrengthAxis, {}, fixedDecimals(4)},
                    {MessageId::Transition, {}, kRead},
                    {MessageId::TransitionOrbital, {}, fixedDecimals(0)}};
        default:
            return {};
    }
}

std::string blockTitle(const BlockColumn& c, ExtractBox block, const ExtractBoxes& boxes,
                       const MessageLookup& m) {
    // The thermochemistry table's own titles carry their units.
    switch (c.fixed) {
        case FixedTitle::ThermalEnergy:
            return "E(" + message(m, MessageId::Thermal) + ") - kcal/mol";
        case FixedTitle::HeatCapacity:
            return "Cv - cal/mol K";
        case FixedTitle::Entropy:
            return "S - cal/mol K";
        case FixedTitle::None:
            break;
    }
    return c.title == MessageId{} ? boxes.caption(block) : message(m, c.title);
}

// The rows of one block of one file that read normally, as guardardetalle
// lays them out.
std::vector<std::vector<CellValue>> blockRows(const FileDetail& d, ExtractBox block,
                                              const MessageLookup& m) {
    std::vector<std::vector<CellValue>> rows;
    auto text = [](const std::vector<std::string>& v, std::size_t i) {
        return CellValue(i < v.size() ? v[i] : std::string());
    };
    switch (block) {
        case ExtractBox::Orbitals:
            for (std::size_t i = 0; i < d.orbitalEnergies.size(); ++i)
                rows.push_back(
                    {orbitalLabel(i < d.orbitalKinds.size() ? d.orbitalKinds[i] : OrbitalKind{}, m),
                     text(d.orbitalSymmetries, i), numberOrMissing(d.orbitalEnergies[i])});
            if (rows.empty())  // the file prints no eigenvalues
                rows.push_back({std::string(), std::string(), CellValue()});
            break;
        case ExtractBox::Polar: {
            static constexpr const char* kNames[] = {"[11]", "[12]", "[13]",
                                                     "[22]", "[23]", "[33]"};
            for (std::size_t i = 0; i < d.polar.size(); ++i)
                rows.push_back({std::string(kNames[i]),
                                d.polarFound ? numberOrMissing(d.polar[i]) : CellValue()});
            break;
        }
        case ExtractBox::Mulliken:
            for (std::size_t i = 0; i < d.mullikenSymbols.size(); ++i)
                rows.push_back({d.mullikenSymbols[i], i < d.mullikenCharges.size()
                                                          ? numberOrMissing(d.mullikenCharges[i])
                                                          : CellValue(std::string())});
            if (rows.empty())  // the file prints no Mulliken charges
                rows.push_back({std::string(), CellValue()});
            break;
        case ExtractBox::Geometry:
            for (const auto& atom : d.geometry) rows.emplace_back(atom.begin(), atom.end());
            break;
        case ExtractBox::Freq:
            for (const auto& mode : d.frequencies) {
                std::vector<CellValue> row;
                for (double v : mode) row.push_back(d.freqFound ? numberOrMissing(v) : CellValue());
                rows.push_back(std::move(row));
            }
            break;
        case ExtractBox::Thermo:
            for (std::size_t i = 0; i < d.thermo.size(); ++i) {
                std::vector<CellValue> row{i < kThermoRowMessages.size()
                                               ? message(m, kThermoRowMessages[i])
                                               : message(m, MessageId::Vibration) + " " +
                                                     std::to_string(i - 4)};
                for (double v : d.thermo[i])
                    row.push_back(d.freqFound ? numberOrMissing(v) : CellValue());
                rows.push_back(std::move(row));
            }
            break;
        case ExtractBox::TD: {
            if (!d.tdFound) {
                for (std::size_t i = 0; i < d.states.size(); ++i)
                    rows.push_back({CellValue(), CellValue(), CellValue(), CellValue(), CellValue(),
                                    CellValue(), std::string()});
                break;
            }
            // Each state's values on the row of its first transition, its
            // further transitions on the rows below.
            const std::size_t transitions =
                std::min(d.transitionTexts.size(), d.transitionNumbers.size());
            auto emptyRow = [] { return std::vector<CellValue>(7, CellValue(std::string())); };
            std::size_t r = 0;
            for (const auto& state : d.states) {
                if (rows.size() <= r)
                    rows.push_back(emptyRow());
                for (std::size_t j = 0; j < 5; ++j) rows[r][j] = numberOrMissing(state[j]);
                while (r < transitions && leadingNumber(d.transitionTexts[r][0]) == state[0]) {
                    if (rows.size() <= r)
                        rows.push_back(emptyRow());
                    rows[r][5] = d.transitionTexts[r][1];
                    rows[r][6] = numberOrMissing(d.transitionNumbers[r][1]);
                    ++r;
                }
            }
            // The DetailTable's block is as tall as the transitions.
            rows.resize(std::max<std::size_t>(transitions, 1), emptyRow());
            break;
        }
        default:
            break;
    }
    return rows;
}

}  // namespace

QuantityView quantityView(ExtractBox box) {
    QuantityView v = viewOf(box);
    const std::size_t column = extractQuantity(box).column;
    static_assert(kQuantityTips.size() == static_cast<std::size_t>(ExtractBox::Status) + 1);
    if (column != kNoColumn && column <= static_cast<std::size_t>(ExtractBox::Status))
        v.tip = kQuantityTips[column];
    return v;
}

void ViewTable::addRow(std::vector<CellValue> row, std::string file, ViewRow kind) {
    row.resize(columns.size());
    cells.push_back(std::move(row));
    rowFiles.push_back(std::move(file));
    rowKinds.push_back(kind);
}

CellValue shownValue(const ExtractRecord& record, ExtractBox box) {
    if (box == ExtractBox::Formula && record.ok)
        return hillFormula(record.formula);
    return resultValue(record, box);
}

std::string formatShown(const CellValue& value, const ShownPrecision& precision,
                        const CellFormat& format) {
    const double* number = std::get_if<double>(&value);
    if (!number || precision.decimals == ShownPrecision::kAsRead || !std::isfinite(*number))
        return formatCell(value, format);
    std::string text = fixedText(*number, precision.decimals, precision.trim);
    if (format.decimalSeparator != '.')
        std::replace(text.begin(), text.end(), '.', format.decimalSeparator);
    return text;
}

std::optional<double> sortNumber(const CellValue& value) {
    if (const double* v = std::get_if<double>(&value))
        return *v;
    if (const CpuTime* t = std::get_if<CpuTime>(&value))
        return ((t->days * 24 + t->hours) * 60 + t->minutes) * 60 + t->seconds;
    return std::nullopt;
}

ViewTable extractMainView(const std::vector<ExtractRecord>& records, const ExtractBoxes& boxes,
                          const MessageLookup& messages) {
    ViewTable view;
    std::vector<ExtractBox> shown{ExtractBox::File};  // the file's name always first
    for (std::size_t c = 1; c < kResultColumns; ++c)
        if (boxes.ticked(kResultColumnBoxes[c]))
            shown.push_back(kResultColumnBoxes[c]);
    for (ExtractBox box : shown) {
        const QuantityView q = quantityView(box);
        const std::string unit = message(messages, q.unit);
        std::string tip = message(messages, q.tip);
        if (tip.empty())
            tip = boxes.caption(box);
        view.columns.push_back({boxes.caption(box), unit, tip, q.precision});
    }
    for (const ExtractRecord& record : records) {
        std::vector<CellValue> row;
        for (ExtractBox box : shown) {
            const bool always = box == ExtractBox::File || box == ExtractBox::Status ||
                                extractQuantity(box).onlyWhenNamed;
            row.push_back(!record.ok && !always ? CellValue(std::string("Error"))
                                                : shownValue(record, box));
        }
        view.addRow(std::move(row), record.file, record.ok ? ViewRow::Values : ViewRow::Error);
    }
    return view;
}

ViewTable extractBlockView(const std::vector<ExtractRecord>& records, ExtractBox block,
                           const ExtractBoxes& boxes, const MessageLookup& messages) {
    ViewTable view;
    view.columns.push_back(
        {boxes.caption(ExtractBox::File), {}, boxes.caption(ExtractBox::File), kRead});
    for (const BlockColumn& c : blockColumns(block)) {
        const std::string title = blockTitle(c, block, boxes, messages);
        const std::string unit = message(messages, c.unit);
        std::string tip = message(messages, c.tip);
        if (tip.empty())
            tip = title;
        view.columns.push_back({title, unit, tip, c.precision});
    }
    const std::size_t width = view.columns.size() - 1;
    for (const ExtractRecord& record : records) {
        std::vector<std::vector<CellValue>> rows;
        if (record.ok)
            rows = blockRows(record.detail, block, messages);
        else
            rows.assign(1, std::vector<CellValue>(width, CellValue(std::string("Error"))));
        if (rows.empty())
            rows.assign(1, std::vector<CellValue>(width, CellValue(std::string())));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::vector<CellValue> row{i == 0 ? CellValue(record.file) : CellValue(std::string())};
            row.insert(row.end(), rows[i].begin(), rows[i].end());
            view.addRow(std::move(row), record.file, record.ok ? ViewRow::Values : ViewRow::Error);
        }
    }
    return view;
}

ViewTable viewOfTextTable(const Table& table, std::size_t formulaColumn) {
    ViewTable view;
    for (std::size_t c = 0; c < table.columns(); ++c) {
        const std::string& title = table.cell(c, 0);
        view.columns.push_back({title, {}, title, kRead});
    }
    for (std::size_t r = 1; r < table.rows(); ++r) {
        std::vector<CellValue> row;
        std::vector<std::string> texts;
        bool error = false;
        for (std::size_t c = 0; c < table.columns(); ++c) {
            const std::string& cell = table.cell(c, r);
            error = error || cell == "Error" || cell == "KO";
            texts.push_back(c == formulaColumn && !cell.empty() ? hillFormula(cell) : cell);
            if (auto v = table.number(c, r))
                row.push_back(*v);
            else
                row.push_back(texts.back());
        }
        view.addRow(std::move(row), std::string(), error ? ViewRow::Error : ViewRow::Values);
        view.texts.push_back(std::move(texts));
    }
    return view;
}

}  // namespace zerlant
