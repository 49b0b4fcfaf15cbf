#include "core/thermo/gaussianthermo.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "core/files/linereader.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/gaussian/normalmodes.hpp"
#include "core/text/formula.hpp"
#include "core/thermo/textlines.hpp"

namespace zerlant::thermo {

namespace {

constexpr std::array<const char*, 119> kSymbols = {
    "X",  "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu",
    "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru",
    "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr",
    "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",
    "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac",
    "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf",
    "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};

using lines::numberAfter;
using lines::startsWith;

// Fields 4 and 5 of the first archive entry from line `from` on, before the
// job ends:
// " 1\1\GINC-NODE\Freq\RB3LYP\6-31G(d)\C1H4\USER\07-Dec-2026\0\\#P B3LYP/6-31G"
// " (d) Freq\\..."
// The entry is wrapped at a fixed width, each line after a blank; a field may
// run over the wrap.  Older versions separate the fields with "|".
void readArchiveHeader(const std::vector<std::string_view>& all, std::size_t from,
                       FrequencyStep& step) {
    std::size_t first = all.size();
    for (std::size_t i = from; i < all.size(); ++i) {
        const std::string_view line = lines::trim(all[i]);
        if (startsWith(line, "1\\1\\") || startsWith(line, "1|1|")) {
            first = i;
            break;
        }
        if (startsWith(line, gaussian::anchor::kNormalTermination) ||
            startsWith(line, "Error termination"))
            return;
    }
    if (first == all.size())
        return;
    const char separator = lines::trim(all[first])[1];
    std::string entry;
    for (std::size_t i = first; i < all.size() && i < first + 8; ++i) {
        std::string_view line = all[i];
        if (line.empty() || line.front() != ' ')
            break;
        line.remove_prefix(1);
        if (i == first)
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        entry += line;
        if (entry.find(std::string(2, separator)) != std::string::npos)
            break;  // the header ends at the first empty field
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < 7) {
        const std::size_t end = entry.find(separator, start);
        if (end == std::string::npos)
            return;  // the header is cut short
        fields.emplace_back(entry.substr(start, end - start));
        start = end + 1;
    }
    step.method = std::string(lines::trim(fields[4]));
    step.basis = std::string(lines::trim(fields[5]));
}

}  // namespace

int FrequencyStep::imaginaryCount() const {
    return static_cast<int>(
        std::count_if(frequencies.begin(), frequencies.end(), [](double f) { return f < 0; }));
}

bool FrequencyStep::gaussianUsedImaginaryAsReal() const {
    const int n = imaginaryCount();
    return n > 0 && modesUsedByGaussian == static_cast<int>(frequencies.size());
}

std::string hillFormula(const std::vector<int>& atomicNumbers) {
    std::vector<std::string> symbols;
    for (int z : atomicNumbers)
        if (z > 0 && z < static_cast<int>(kSymbols.size()))
            symbols.emplace_back(kSymbols[static_cast<std::size_t>(z)]);
    return zerlant::hillFormula(symbols);
}

bool asksForFrequencies(std::string_view fileBytes) {
    // " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering"
    if (fileBytes.find(" Harmonic frequencies (cm**-1)") != std::string_view::npos)
        return true;
    // The route of each step, up to the dashes below it:
    // " #P opt freq=noraman b3lyp/3-21g"
    // " ----------------------------------"
    for (std::size_t at = fileBytes.find("\n #"); at != std::string_view::npos;
         at = fileBytes.find("\n #", at + 1)) {
        std::size_t end = fileBytes.find("\n -", at + 1);
        if (end == std::string_view::npos)
            end = fileBytes.size();
        std::string route(fileBytes.substr(at, std::min<std::size_t>(end - at, 4096)));
        for (char& c : route)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        if (route.find("freq") != std::string::npos)
            return true;
    }
    return false;
}

namespace {

// One line (trimmed) before the thermochemistry heading: the last of each
// wins.
void readLineBeforeHeading(std::string_view line, FrequencyStep& step) {
    // Every anchor below begins with one of these letters: most lines are
    // passed over after one look.
    const char first = line.empty() ? '\0' : lines::lower(line.front());
    if (first != 'h' && first != 's' && first != 'e' && first != 'o' && first != 'c' &&
        first != 't')
        return;
    // " SCF Done:  E(RB3LYP) =  -76.4089498524     A.U. after   10 cycles"
    if (startsWith(line, gaussian::anchor::kScfDone)) {
        if (auto e = numberAfter(line, "=")) {
            step.electronicEnergy = *e;
            step.hasElectronicEnergy = true;
        }
    }
    // " Energy=    0.094913308498 NIter=   3."  (semi-empirical jobs of Gaussian 03)
    else if (startsWith(line, "Energy=") && lines::contains(line, "NIter=")) {
        if (auto e = numberAfter(line, "Energy=")) {
            step.electronicEnergy = *e;
            step.hasElectronicEnergy = true;
        }
    }
    // " E2 =    -0.2687103937D+00 EUMP2 =    -0.76328992324258D+02"
    else if (first == 'e' && line.find("EUMP2 =") != std::string_view::npos) {
        if (auto e = numberAfter(line, "EUMP2 =")) {
            step.electronicEnergy = *e;
            step.hasElectronicEnergy = true;
        }
    }
    // " Total Energy, E(TD-HF/TD-DFT) =  -76.1234567890"  (excited-state frequencies)
    // " Counterpoise corrected energy =    -152.345678901234"
    else if (startsWith(line, "Total Energy, E(") ||
             startsWith(line, "Counterpoise corrected energy =")) {
        if (auto e = numberAfter(line, "=")) {
            step.electronicEnergy = *e;
            step.hasElectronicEnergy = true;
        }
    }
    // " ONIOM: extrapolated energy =   -1361.740341759642"
    else if (startsWith(line, "ONIOM: extrapolated energy =")) {
        if (auto e = numberAfter(line, "=")) {
            step.electronicEnergy = *e;
            step.hasElectronicEnergy = true;
        }
    }
    // " Charge =  0 Multiplicity = 1"
    // " Charge =  0 Multiplicity = 1 for low   level calculation on real  system."
    // (an ONIOM job's model-system lines are not the molecule's)
    else if (startsWith(line, "Charge =") && lines::contains(line, "Multiplicity =") &&
             !lines::contains(line, "model system")) {
        if (auto m = lines::count(numberAfter(line, "Multiplicity =")); m && *m >= 1)
            step.multiplicity = *m;
    }
}

// The section under the heading, from line `from` of `all`, and the archive
// entry after it; false when the section names no molecular mass.
bool readSection(const std::vector<std::string_view>& all, std::size_t from, FrequencyStep& step) {
    bool haveMass = false;
    bool inVibrationalTemperatures = false;
    std::size_t sectionEnd = all.size();
    for (std::size_t i = from; i < all.size(); ++i) {
        const std::string_view line = lines::trim(all[i]);
        if (inVibrationalTemperatures) {
            // "          (Kelvin)           4394.06  4537.38  4550.62  4565.04"
            if (line.empty()) {
                inVibrationalTemperatures = false;
                continue;
            }
            std::string_view rest = line;
            if (startsWith(rest, "(Kelvin)"))
                rest.remove_prefix(8);
            step.modesUsedByGaussian += static_cast<int>(lines::numbers(rest).size());
            continue;
        }
        // " Temperature   298.150 Kelvin.  Pressure   1.00000 Atm."
        if (startsWith(line, "Temperature")) {
            if (auto t = numberAfter(line, "Temperature"); t && *t > 0)
                step.temperature = *t;
            if (auto p = numberAfter(line, "Pressure"); p && *p > 0)
                step.pressure = *p;
        }
        // " Atom     1 has atomic number  8 and mass  15.99491"
        else if (startsWith(line, "Atom") && lines::contains(line, "has atomic number")) {
            if (auto z = lines::count(numberAfter(line, "atomic number")))
                step.atomicNumbers.push_back(*z);
        }
        // " Molecular mass:    18.01056 amu."
        else if (startsWith(line, "Molecular mass:")) {
            if (auto m = numberAfter(line, "Molecular mass:"); m && *m > 0) {
                step.mass = *m;
                haveMass = true;
            }
        }
        // " Rotational symmetry number  2."
        else if (startsWith(line, "Rotational symmetry number")) {
            if (auto s = lines::count(numberAfter(line, "Rotational symmetry number"));
                s && *s >= 1)
                step.symmetryNumber = *s;
        }
        // " Rotational constants (GHZ):         829.91028   432.51065   284.30587"
        // " Rotational constant (GHZ):          11.195462"        (linear)
        // " ROTATIONAL CONSTANT (GHZ)            2.569877"        (Gaussian 98)
        else if (startsWith(line, "Rotational constant")) {
            const std::size_t close = line.find(')');
            if (close != std::string_view::npos) {
                std::string_view rest = line.substr(close + 1);
                if (!rest.empty() && rest.front() == ':')
                    rest.remove_prefix(1);
                step.rotationalConstants.clear();
                for (double b : lines::numbers(rest))
                    if (b > 0)
                        step.rotationalConstants.push_back(b);
            }
        }
        // " Vibrational temperatures:   2318.99  5380.93  5540.10"
        else if (startsWith(line, "Vibrational temperatures:")) {
            step.modesUsedByGaussian = static_cast<int>(
                lines::numbers(line.substr(std::string_view("Vibrational temperatures:").size()))
                    .size());
            inVibrationalTemperatures = true;
        }
        // " Zero-point correction=                           0.021354 (Hartree/Particle)"
        else if (startsWith(line, "Zero-point correction="))
            step.printed.zpe = numberAfter(line, "=");
        // " Thermal correction to Energy=                    0.024189"
        else if (startsWith(line, "Thermal correction to Energy="))
            step.printed.thermalEnergy = numberAfter(line, "=");
        // " Thermal correction to Enthalpy=                  0.025133"
        else if (startsWith(line, "Thermal correction to Enthalpy="))
            step.printed.thermalEnthalpy = numberAfter(line, "=");
        // " Thermal correction to Gibbs Free Energy=         0.003733"
        else if (startsWith(line, "Thermal correction to Gibbs Free Energy="))
            step.printed.thermalGibbs = numberAfter(line, "=");
        // " Sum of electronic and zero-point Energies=            -76.387522"
        else if (startsWith(line, "Sum of electronic and zero-point Energies="))
            step.printed.sumZpe = numberAfter(line, "=");
        // " Sum of electronic and thermal Energies=               -76.384687"
        else if (startsWith(line, "Sum of electronic and thermal Energies="))
            step.printed.sumEnergy = numberAfter(line, "=");
        // " Sum of electronic and thermal Enthalpies=             -76.383743"
        else if (startsWith(line, "Sum of electronic and thermal Enthalpies="))
            step.printed.sumEnthalpy = numberAfter(line, "=");
        // " Sum of electronic and thermal Free Energies=          -76.405143"
        else if (startsWith(line, "Sum of electronic and thermal Free Energies=")) {
            step.printed.sumGibbs = numberAfter(line, "=");
            sectionEnd = i + 1;
            break;  // the end of the section
        }
    }
    if (!haveMass)
        return false;
    step.formula = hillFormula(step.atomicNumbers);
    readArchiveHeader(all, sectionEnd, step);
    return true;
}

void addFrequencies(const std::optional<NormalModes>& modes, FrequencyStep& step) {
    if (modes)
        for (const NormalMode& m : modes->modes)
            if (!std::isnan(m.properties[0]))
                step.frequencies.push_back(m.properties[0]);
}

bool isThermochemistryHeading(std::string_view line) {
    return lines::trim(line) == "- Thermochemistry -";
}

}  // namespace

std::optional<FrequencyStep> readFrequencyStep(std::string_view fileBytes) {
    const std::vector<std::string_view> all = lines::split(fileBytes);

    // " -------------------
    //   - Thermochemistry -
    //   -------------------"
    std::size_t heading = all.size();
    for (std::size_t i = all.size(); i-- > 0;)
        if (isThermochemistryHeading(all[i])) {
            heading = i;
            break;
        }
    if (heading == all.size())
        return std::nullopt;

    FrequencyStep step;
    for (std::size_t i = 0; i < heading; ++i) readLineBeforeHeading(lines::trim(all[i]), step);
    // The modes of the last harmonic-frequency printout before the heading:
    // with freq=hpmodes the same modes are printed twice, the high-precision
    // block first, and the standard one under the last heading is read.
    const auto before = static_cast<std::size_t>(all[heading].data() - fileBytes.data());
    addFrequencies(lastNormalModes(fileBytes.substr(0, before)), step);
    if (!readSection(all, heading + 1, step))
        return std::nullopt;
    return step;
}

Result<FrequencyFile> readFrequencyFile(const std::string& path) {
    auto reader = LineReader::open(path);
    if (!reader)
        return reader.error();
    FrequencyFile out;
    FrequencyStep current;                   // the last of each, so far
    NormalModesCollector modes;              // the printouts so far
    std::optional<FrequencyStep> atHeading;  // as they stood at the last heading
    NormalModesCollector modesAtHeading;
    // From the last heading to the end of the archive entry after its
    // section (the rest of the file is not needed).
    std::string section;
    bool inSection = false, sectionDone = false;
    std::string route;  // the route being read, lower case
    bool inRoute = false;
    while (auto raw = reader->next()) {
        const std::string_view line = withoutLineEnd(*raw);
        const std::string_view trimmed = lines::trim(line);
        // The anchors below stand at the start of their lines: one look at
        // the first letter passes most lines over.
        const char first = trimmed.empty() ? '\0' : trimmed.front();
        // " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering"
        if (first == 'H' && !out.asksForFrequencies &&
            trimmed.starts_with("Harmonic frequencies (cm**-1)"))
            out.asksForFrequencies = true;
        // " #P opt freq=noraman b3lyp/3-21g", up to the dashes below it.
        if (line.substr(0, 2) == " #") {
            inRoute = true;
            route.clear();
        } else if (inRoute && line.substr(0, 2) == " -") {
            inRoute = false;
        }
        if (inRoute && route.size() < 4096) {
            for (char c : line)
                route += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (route.find("freq") != std::string::npos)
                out.asksForFrequencies = true;
        }
        // " Normal termination of Gaussian 16 at ..."
        if (first == 'N' && trimmed.starts_with(gaussian::anchor::kNormalTermination))
            out.normalTermination = true;

        if (first == '-' && isThermochemistryHeading(trimmed)) {
            atHeading = current;
            modesAtHeading = modes;
            section.clear();
            inSection = true;
            sectionDone = false;
        } else if (inSection) {
            section.append(raw->data(), raw->size());
            // " Sum of electronic and thermal Free Energies=  -76.405143", then
            // the archive entry, which ends in "@".
            if (first == 'S' && trimmed.starts_with("Sum of electronic and thermal Free Energies="))
                sectionDone = true;
            else if (sectionDone && line.find('@') != std::string_view::npos)
                inSection = false;
        }
        readLineBeforeHeading(trimmed, current);
        modes.line(*raw);
    }
    if (reader->error())
        return *reader->error();
    if (!atHeading)
        return out;
    FrequencyStep step = std::move(*atHeading);
    addFrequencies(modesAtHeading.modes(), step);
    if (readSection(lines::split(section), 0, step))
        out.step = std::move(step);
    return out;
}

std::string hillFormula(const std::vector<CartesianAtom>& atoms) {
    std::vector<int> numbers;
    numbers.reserve(atoms.size());
    for (const CartesianAtom& a : atoms) numbers.push_back(a.atomicNumber);
    return hillFormula(numbers);
}

}  // namespace zerlant::thermo
