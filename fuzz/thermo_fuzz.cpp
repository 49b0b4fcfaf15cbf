// Fuzz target: a Gaussian output through the thermochemistry reader, the
// harmonic and quasi-harmonic models at several conditions, the relative
// energies and the table cells.

#include <cstdint>
#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/thermo/thermotable.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;
using namespace zerlant::thermo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".log");
    file.write(data, size);
    Result<std::string> bytes = readFileBytes(file.path());
    if (!bytes)
        return 0;

    ThermoRequest request;
    request.relative = true;
    std::vector<ThermoRow> rows;
    // Gaussian's own conditions, then hot and dilute with every option on.
    rows.push_back(thermoRow("a.log", *bytes, request.settings));
    ThermoSettings other;
    other.temperature = 1000;
    other.pressure = 0.5;
    other.concentration = 1.0;
    other.scale = 0.967;
    other.cutoff = 50;
    other.headGordonEnthalpy = true;
    other.imaginary = ImaginaryModes::AsReal;
    rows.push_back(thermoRow("b.log", *bytes, other));
    request.settings.headGordonEnthalpy = true;
    addRelative(rows, request);
    for (const ThermoRow& row : rows) (void)thermoCells(row, request);
    return 0;
}
