#include "core/results/resulttables.hpp"

#include <algorithm>
#include <cmath>

#include "core/results/scanaimexport.hpp"
#include "core/text/numbers.hpp"

namespace zerlant {

namespace {

// The table is in check-box order: entry i describes box i.
constexpr bool inBoxOrder() {
    for (std::size_t i = 0; i < kExtractQuantities.size(); ++i)
        if (static_cast<std::size_t>(kExtractQuantities[i].box) != i)
            return false;
    return true;
}
static_assert(inBoxOrder());

// Every ResultTable column has exactly one quantity.
constexpr bool everyColumnOnce() {
    std::array<int, kResultColumns> uses{};
    for (const ExtractQuantity& q : kExtractQuantities)
        if (q.column != kNoColumn) {
            if (q.column >= kResultColumns)
                return false;
            ++uses[q.column];
        }
    for (int n : uses)
        if (n != 1)
            return false;
    return true;
}
static_assert(everyColumnOnce());

constexpr std::array<const char*, 6> kPolarNames = {"[11]", "[12]", "[13]", "[22]", "[23]", "[33]"};

// The titles of the columns of each normal mode after its frequency.
constexpr std::array kModeColumns = {MessageId::ReducedMass,     MessageId::ForceConstant,
                                     MessageId::IrIntensity,     MessageId::RamanActivity,
                                     MessageId::DepolarizationP, MessageId::DepolarizationU};

}  // namespace

MessageId extractBoxMessage(ExtractBox b) {
    return kExtractQuantities[static_cast<std::size_t>(b)].message;
}

ExtractBoxes ExtractBoxes::initial(const MessageLookup& messages) {
    ExtractBoxes boxes;
    for (std::size_t i = 0; i < kExtractBoxCount; ++i) {
        boxes.boxes_[i].caption =
            messages ? messages(kExtractQuantities[i].message) : std::string();
        boxes.boxes_[i].ticked = kExtractQuantities[i].tickedAtStart;
    }
    return boxes;
}

void ExtractBoxes::setAll(bool ticked) {
    for (std::size_t i = 0; i < kExtractBoxCount; ++i)
        boxes_[i].ticked = ticked && !kExtractQuantities[i].onlyWhenNamed;
}

std::string orbitalLabel(OrbitalKind kind, const MessageLookup& message) {
    std::string label = kind.spin == OrbitalSpin::Alpha  ? "Alpha"
                        : kind.spin == OrbitalSpin::Beta ? "Beta"
                                                         : "";
    label += " - ";
    if (kind.occupancy == OrbitalOccupancy::Occupied)
        label += message ? message(MessageId::Occupied) : std::string();
    else if (kind.occupancy == OrbitalOccupancy::Virtual)
        label += message ? message(MessageId::Virtual) : std::string();
    return label;
}

Table newResultTable(const ExtractBoxes& boxes) {
    Table t(kResultColumns, 1);
    for (std::size_t c = 0; c < kResultColumns; ++c)
        t.set(c, 0, upperCaption(boxes.caption(kResultColumnBoxes[c])));
    return t;
}

namespace {

void writeDetailTitles(Table& t, const ExtractBoxes& boxes, const MessageLookup& msg) {
    t.set(0, 0, msg(MessageId::Orbital));
    t.set(1, 0, msg(MessageId::OrbitalSymmetry));
    t.set(2, 0, msg(MessageId::OrbitalEnergies));
    t.set(4, 0, boxes.caption(ExtractBox::Polar));
    t.set(5, 0, "");
    t.set(7, 0, boxes.caption(ExtractBox::Mulliken));
    t.set(8, 0, "");
    t.set(10, 0, boxes.caption(ExtractBox::Geometry));
    for (std::size_t c = 11; c <= 16; ++c) t.set(c, 0, "");
    t.set(18, 0, boxes.caption(ExtractBox::Freq));
    for (std::size_t j = 0; j < kModeColumns.size(); ++j) t.set(19 + j, 0, msg(kModeColumns[j]));
    t.set(26, 0, msg(MessageId::ThermochemistryTitle));
    t.set(27, 0, "E(" + msg(MessageId::Thermal) + ") - Kcal/mol");
    t.set(28, 0, "Cv - cal/mol Kelvin");
    t.set(29, 0, "S - cal/mol Kelvin");
    t.set(31, 0, msg(MessageId::State));
    t.set(32, 0, msg(MessageId::ExcitationEnergy) + "(eV)");
    t.set(33, 0, msg(MessageId::Wavelength) + "(nm)");
    t.set(34, 0, msg(MessageId::OscillatorStrength));
    t.set(35, 0, msg(MessageId::RotatoryStrength) + "(10**-40 erg-esu-cm/Gauss)");
    t.set(36, 0, msg(MessageId::Transition));
    t.set(37, 0, msg(MessageId::TransitionOrbital));
}

std::string count(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

void guardardetalle(DetailTable& detail, std::string_view status, const FileDetail& lists,
                    const ExtractBoxes& boxes, const MessageLookup& messages,
                    char decimalSeparator) {
    const MessageLookup msg =
        messages ? messages : MessageLookup([](int) { return std::string(); });
    const bool ok = status == "OK";
    // NaN marks a value the file does not print: written as missing, never 0.
    auto num = [&](double v) {
        return std::isnan(v) ? msg(MessageId::NotAvailable) : formatNumber(v, decimalSeparator);
    };

    std::size_t h = 1;
    if (ok) {
        h = std::max({lists.orbitalEnergies.size(), lists.polar.size(),
                      lists.mullikenSymbols.size(), lists.geometry.size(), lists.frequencies.size(),
                      lists.thermo.size(), lists.transitionTexts.size()});
    }
    const std::size_t base = detail.contadorficheros == 0 ? 0 : detail.filasdetalle;
    detail.filasdetalle = (detail.contadorficheros == 0 ? 0 : detail.filasdetalle) + h;
    detail.contadorficheros += 1;
    if (detail.contadorficheros == 1) {
        detail.table = Table(kDetailColumns, 1);
        writeDetailTitles(detail.table, boxes, msg);
    }
    detail.table.resizeRows(detail.filasdetalle + 1);
    Table& t = detail.table;
    // Cells are written only inside this file's block, so that a list that
    // would run past it can never shift the blocks of later files.
    const std::size_t last = base + h;
    auto put = [&](std::size_t col, std::size_t row, std::string text) {
        if (row > base && row <= last)
            t.set(col, row, std::move(text));
    };
    // A value: its number and its text, N/A when the file has none.
    auto putNumber = [&](std::size_t col, std::size_t row, double v) {
        if (row > base && row <= last)
            t.setNumber(col, row, v, num(v));
    };
    // A field of a printed table ("0.000015"), kept as printed: a number too
    // when the whole field reads as one.
    auto putField = [&](std::size_t col, std::size_t row, const std::string& field) {
        if (row <= base || row > last)
            return;
        if (auto v = toDouble(field, '.'); v && isNumeric(field, '.'))
            t.setNumber(col, row, *v, field);
        else
            t.set(col, row, field);
    };

    if (!ok) {
        for (std::size_t c = 0; c <= 37; ++c) put(c, base + 1, "Error");
        for (const DetailBlock& b : kDetailBlocks) put(b.countColumn, base + 1, "1");
        return;
    }

    // Orbitals.
    auto labelOf = [&](std::size_t k) {
        return orbitalLabel(k < lists.orbitalKinds.size() ? lists.orbitalKinds[k] : OrbitalKind{},
                            msg);
    };
    for (std::size_t i = 0; i < lists.orbitalEnergies.size(); ++i) {
        auto at = [](const std::vector<std::string>& v, std::size_t k) {
            return k < v.size() ? v[k] : std::string();
        };
        put(0, base + 1 + i, labelOf(i));
        put(1, base + 1 + i, at(lists.orbitalSymmetries, i));
        putNumber(2, base + 1 + i, lists.orbitalEnergies[i]);
    }
    if (!lists.orbitalEnergies.empty()) {
        put(3, base + 1, count(lists.orbitalEnergies.size()));
    } else {
        put(2, base + 1, msg(MessageId::NotAvailable));  // the file prints no eigenvalues
        put(3, base + 1, count(1));
    }

    // Polarizability: always six components; N/A when not found.
    for (std::size_t i = 0; i < lists.polar.size(); ++i) {
        put(4, base + 1 + i, kPolarNames[i]);
        if (lists.polarFound)
            putNumber(5, base + 1 + i, lists.polar[i]);
        else
            put(5, base + 1 + i, msg(MessageId::NotAvailable));
    }
    put(6, base + 1, count(lists.polar.size()));

    // Mulliken charges.
    for (std::size_t i = 0; i < lists.mullikenSymbols.size(); ++i) {
        put(7, base + 1 + i, lists.mullikenSymbols[i]);
        if (i < lists.mullikenCharges.size())
            putNumber(8, base + 1 + i, lists.mullikenCharges[i]);
    }
    if (!lists.mullikenSymbols.empty()) {
        put(9, base + 1, count(lists.mullikenSymbols.size()));
    } else {
        put(8, base + 1, msg(MessageId::NotAvailable));  // the file prints no Mulliken charges
        put(9, base + 1, count(1));
    }

    // Geometry.
    for (std::size_t i = 0; i < lists.geometry.size(); ++i)
        for (std::size_t j = 0; j < 7; ++j) putField(10 + j, base + 1 + i, lists.geometry[i][j]);
    if (!lists.geometry.empty())
        put(17, base + 1, count(lists.geometry.size()));

    // Frequencies.
    for (std::size_t i = 0; i < lists.frequencies.size(); ++i)
        for (std::size_t j = 0; j < 7; ++j)
            if (lists.freqFound)
                putNumber(18 + j, base + 1 + i, lists.frequencies[i][j]);
            else
                put(18 + j, base + 1 + i, msg(MessageId::NotAvailable));
    put(25, base + 1, count(lists.frequencies.size()));

    // Thermochemistry: rows named Total .. Vibrational, then one row per low
    // vibration named as Gaussian prints it ("Vibration     1"): "Vibration 1".
    for (std::size_t i = 0; i < lists.thermo.size(); ++i) {
        std::string name;
        if (i < kThermoRowMessages.size())
            name = msg(kThermoRowMessages[i]);
        else
            name = msg(MessageId::Vibration) + " " + std::to_string(i - 4);
        put(26, base + 1 + i, name);
        for (std::size_t j = 0; j < 3; ++j)
            if (lists.freqFound)
                putNumber(27 + j, base + 1 + i, lists.thermo[i][j]);
            else
                put(27 + j, base + 1 + i, msg(MessageId::NotAvailable));
    }
    put(30, base + 1, count(lists.thermo.size()));

    // Excited states: each state's values on the row of its first transition,
    // its further transitions on the rows below.
    if (!lists.tdFound) {
        for (std::size_t i = 0; i < lists.states.size(); ++i)
            for (std::size_t c = 31; c <= 36; ++c)
                put(c, base + 1 + i, msg(MessageId::NotAvailable));
    } else {
        std::size_t r = 0;
        for (const auto& state : lists.states) {
            for (std::size_t j = 0; j < 5; ++j) putNumber(31 + j, base + r + 1, state[j]);
            while (r < lists.transitionTexts.size() && r < lists.transitionNumbers.size() &&
                   leadingNumber(lists.transitionTexts[r][0]) == state[0]) {
                ++r;
                put(36, base + r, lists.transitionTexts[r - 1][1]);
                putNumber(37, base + r, lists.transitionNumbers[r - 1][1]);
            }
        }
    }
    put(38, base + 1, count(lists.transitionTexts.size()));
}

}  // namespace zerlant
