#pragma once
// What the Extract run reads from one output file, as typed values, and the
// one place where they become the texts of a table.
//
// The parsers fill an ExtractRecord and format nothing: a quantity the file
// does not print is std::nullopt (or NaN in the lists), never 0 and never a
// text.  The decimal separator, the "missing" text and the number form are
// applied only by formatCell, for the ResultTable the windows and the text
// exports show; the tidy exports read the values themselves.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

struct ExtractRecord {
    std::string file;  // the name as the list shows it
    // The job ended normally and its archive entry was read.  A failed file
    // keeps only its name and its job health.
    bool ok = false;
    std::string formula;  // of its own Mulliken block, else the archive's stoichiometry
    std::string method;
    std::string basis;
    int charge = 0;
    int multiplicity = 0;
    std::string pointGroup;
    std::optional<double> energy;        // hartree; an energy is never 0
    std::optional<double> energyOpt;     // of the last optimisation step
    std::optional<double> methodEnergy;  // under the method's own archive key
    std::optional<double> homo;          // hartree
    std::optional<double> lumo;
    std::optional<double> dipole;  // debye
    std::optional<double> volume;  // cm3/mol
    std::optional<double> a0;      // bohr
    std::optional<double> r2;      // au
    std::optional<double> eps;
    std::optional<double> rsolv;
    std::optional<double> nonElectrostatic;
    std::optional<double> cavitation;
    std::optional<double> deltaG;
    std::optional<CpuTime> cpuTime;  // of the first step
    // A failed file whose last step printed a geometry: detail.geometry and
    // energy are those of that step, not of a converged structure.  The
    // tables show the file as failed; the XYZ and JSON exports give them,
    // marked.
    bool lastStepOnly = false;
    // Read only when a job-health column is chosen.
    std::optional<JobHealth> health;
    FileDetail detail;  // the multi-valued blocks
};

// One cell before it is written: nothing (the file does not print it), a
// number, a text, a CPU time or a yes/no.
using CellValue = std::variant<std::monostate, double, std::string, CpuTime, bool>;

// The value of a ResultTable quantity; blocks have none.  A failed file has
// its name, status "KO" and its job health, nothing else.
CellValue resultValue(const ExtractRecord& record, ExtractBox box);

struct CellFormat {
    char decimalSeparator = '.';
    std::string missing;  // for std::monostate
    std::string yes = "yes";
    std::string no = "no";
};

// Numbers in the %.15G form with the chosen separator.
std::string formatCell(const CellValue& value, const CellFormat& format);

// Row `row` of a ResultTable: every column, as the windows show it; a failed
// file says "Error" where a value would be and "KO" as its status.
void writeResultRow(Table& table, std::size_t row, const ExtractRecord& record,
                    const CellFormat& format);

}  // namespace zerlant
