#include "core/ensemble/conformerfile.hpp"

#include <cmath>
#include <exception>

#include "core/extract/extraction.hpp"
#include "core/files/filetext.hpp"
#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/thermotable.hpp"

namespace zerlant {

const char* populationEnergyName(PopulationEnergy by) {
    switch (by) {
        case PopulationEnergy::E:
            return "E";
        case PopulationEnergy::G:
            return "G";
        case PopulationEnergy::QhG:
            break;
    }
    return "qhG";
}

Result<Conformer> conformerOf(const ExtractRecord& record) {
    if (!record.ok)
        return Error{"no normally terminated Gaussian output", record.file};
    if (record.detail.atoms.empty())
        return Error{"no Cartesian geometry printed", record.file};
    Conformer c;
    c.file = record.file;
    c.formula = thermo::hillFormula(record.detail.atoms);
    c.atoms = record.detail.atoms;
    const std::optional<double> e = record.methodEnergy
                                        ? record.methodEnergy
                                        : (record.energyOpt ? record.energyOpt : record.energy);
    if (!e || !std::isfinite(*e))
        return Error{"no energy", record.file};
    c.energy = *e;
    return c;
}

Result<Conformer> readConformer(const std::string& path, PopulationEnergy by, double temperature) {
    FileRows rows(2);
    rows[1] = {true, path, path, ""};
    ExtractBoxes boxes = ExtractBoxes::initial({});
    boxes[ExtractBox::Geometry].ticked = true;
    const ExtractionOutcome run =
        runExtraction(rows, boxes, {}, '.', {}, 1, ExtractionKeeps::TickedBlocks);
    if (run.records.empty() || !run.records.front().ok)
        return Error{run.unreadable.empty() ? "no normally terminated Gaussian output"
                                            : run.unreadable.front(),
                     path};
    const ExtractRecord& record = run.records.front();
    if (record.detail.atoms.empty())
        return Error{"no Cartesian geometry printed", path};
    if (by == PopulationEnergy::E) {
        Result<Conformer> c = conformerOf(record);
        if (!c)
            return Error{c.error().message, path};
        c->file = path;
        return c;
    }
    Conformer c;
    c.file = path;
    c.formula = thermo::hillFormula(record.detail.atoms);
    c.atoms = record.detail.atoms;
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    thermo::ThermoSettings settings;
    settings.temperature = temperature;
    const thermo::ThermoRow row = thermo::thermoRow(path, *bytes, settings);
    if (!row.ok())
        return Error{row.error, path};
    c.energy = by == PopulationEnergy::G ? row.summary.g : row.summary.qhG;
    if (!std::isfinite(c.energy))
        return Error{"no finite energy", path};
    return c;
}

}  // namespace zerlant
