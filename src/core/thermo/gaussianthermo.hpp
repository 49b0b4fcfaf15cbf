#pragma once
// The inputs of the thermochemistry models, read from the last frequency step
// of a Gaussian output, and the values Gaussian printed for them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/gaussian/orientation.hpp"

namespace zerlant::thermo {

// What Gaussian printed after the thermochemistry heading, in hartree per
// particle; nullopt when the line is missing.
struct PrintedThermo {
    std::optional<double> zpe;              // "Zero-point correction="
    std::optional<double> thermalEnergy;    // "Thermal correction to Energy="
    std::optional<double> thermalEnthalpy;  // "Thermal correction to Enthalpy="
    std::optional<double> thermalGibbs;     // "Thermal correction to Gibbs Free Energy="
    std::optional<double> sumZpe;           // "Sum of electronic and zero-point Energies="
    std::optional<double> sumEnergy;        // "Sum of electronic and thermal Energies="
    std::optional<double> sumEnthalpy;      // "Sum of electronic and thermal Enthalpies="
    std::optional<double> sumGibbs;         // "Sum of electronic and thermal Free Energies="
};

struct FrequencyStep {
    // Every harmonic frequency of the step in cm-1, in the order printed;
    // imaginary ones are negative.
    std::vector<double> frequencies;
    // Rotational constants in GHz as printed in the thermochemistry section:
    // three for a non-linear molecule, one for a linear one, none for an atom.
    std::vector<double> rotationalConstants;
    double mass = 0;         // amu
    int symmetryNumber = 1;  // rotational symmetry number
    int multiplicity = 1;
    double electronicEnergy = 0;  // hartree: the energy the step's thermochemistry sums use
    bool hasElectronicEnergy = false;
    double temperature = 298.15;  // K, as Gaussian used
    double pressure = 1.0;        // atm, as Gaussian used
    // Number of vibrational temperatures Gaussian listed, i.e. the modes it
    // counted; with imaginary modes it tells whether Gaussian left them out
    // (the usual case, "N imaginary frequencies ignored.") or took them as real.
    int modesUsedByGaussian = 0;
    std::vector<int> atomicNumbers;  // from the thermochemistry section
    std::string formula;             // Hill order: C, H, then alphabetical
    // Method and basis set as Gaussian names them in the header of the step's
    // archive entry ("RB3LYP", "6-31G(d)", "Gen"); empty when the step has no
    // entry.
    std::string method;
    std::string basis;
    PrintedThermo printed;

    bool linear() const { return rotationalConstants.size() == 1; }
    bool atom() const { return rotationalConstants.empty(); }
    int imaginaryCount() const;
    // True when Gaussian counted imaginary modes with their absolute value.
    bool gaussianUsedImaginaryAsReal() const;
};

// The last frequency step of the output (the last thermochemistry section and
// what precedes it), or nullopt when the file has none or lacks the molecular
// mass.
std::optional<FrequencyStep> readFrequencyStep(std::string_view fileBytes);

// Whether the job computes frequencies at all: a route asks for them or the
// output prints some.  A job that asked and failed before them is a failed
// frequency job; one that never asked (a single point, a TD job) is not one.
bool asksForFrequencies(std::string_view fileBytes);

// What readFrequencyStep and asksForFrequencies give for a file, and whether
// it ended normally, read line by line: the memory is that of the last
// thermochemistry section and its normal modes, whatever the file's size.
struct FrequencyFile {
    std::optional<FrequencyStep> step;
    bool asksForFrequencies = false;
    bool normalTermination = false;  // a "Normal termination" line
};
Result<FrequencyFile> readFrequencyFile(const std::string& path);

// The chemical formula in Hill order from atomic numbers ("H2O", "CH4", "ClNa").
std::string hillFormula(const std::vector<int>& atomicNumbers);
// The same of a printed geometry's atoms.
std::string hillFormula(const std::vector<CartesianAtom>& atoms);

}  // namespace zerlant::thermo
