#pragma once
// The normal modes of a harmonic-frequency printout, read once for every
// consumer (the Extract tables and exports, the thermochemistry, the job
// health):
//   " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering"
//   " ... reduced masses (AMU), force constants (mDyne/A),"
//   " and normal coordinates:"
//   "                      1                      2                      3"
//   "                     BU                     AU                     AU"
//   " Frequencies --     52.7882                83.9373               148.1576"
//   " Red. masses --      3.2050                 2.4755                 2.0858"
//   " Frc consts  --      0.0053                 0.0103                 0.0270"
//   " IR Inten    --      0.0323                 0.0000                 0.3826"
//   "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z"
//   "     1   6     0.00   0.00   0.05     0.00   0.00   0.08    -0.00   0.00  -0.02"
// and the high-precision form of freq=hpmodes, five modes a group, one row per
// atom and Cartesian direction:
//   "       Frequencies ---   370.7936  370.7987  618.0103  647.7864  647.7895"
//   "    Reduced masses ---     2.3022    2.3023    1.9355    6.4600    6.4600"
//   " Coord Atom Element:"
//   "   1     1     6          0.00000   0.00000   0.00000  -0.18677   0.05592"

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

inline constexpr double kNotPrinted = std::numeric_limits<double>::quiet_NaN();

// The properties of a mode, in this order: frequency (cm-1, negative when
// imaginary), reduced mass (AMU), force constant (mDyne/A), IR intensity
// (KM/Mole), Raman activity (A**4/AMU), depolarisation ratio for plane and
// for unpolarised light.  NaN where the file prints none.
using ModeProperties = std::array<double, 7>;

struct NormalMode {
    ModeProperties properties{kNotPrinted, kNotPrinted, kNotPrinted, kNotPrinted,
                              kNotPrinted, kNotPrinted, kNotPrinted};
    std::string symmetry;  // "BU", "A'"; empty when none is printed
    // Per atom, in atom order: the normalised Cartesian displacement x, y, z.
    std::vector<std::array<double, 3>> displacements;
};

struct NormalModes {
    std::vector<NormalMode> modes;
    bool highPrecision = false;  // the freq=hpmodes form
};

// The modes of the printout that follows a heading line ending in "and normal
// coordinates:"; `afterHeading` starts just after that heading text.  The
// printout ends at a blank line, at the next "Harmonic frequencies" heading or
// at a line that is no part of it ("- Thermochemistry -").  A displacement row
// of an atom that a group does not list, or a group whose rows are cut off,
// leaves that group's displacements empty rather than partly filled.
NormalModes readNormalModes(std::string_view afterHeading);

// Where `modes` is the standard printout of a freq=hpmodes job and
// `previousPrintout` (after the heading before it) the high-precision one of
// the same modes, the displacements of the latter replace its own.
void takePreciseDisplacements(NormalModes& modes, std::string_view previousPrintout);

// The printout under the last "and normal coordinates:" heading of `text`
// (letter case ignored), or nullopt when there is none.  Where that is the
// standard printout of a freq=hpmodes job, the displacements are taken from
// the high-precision printout just before it when the two hold the same
// modes.
std::optional<NormalModes> lastNormalModes(std::string_view text);

// lastNormalModes of a text that comes line by line: only the printouts
// under the last two headings are kept (each up to its first blank line,
// where a printout ends), never the text around them.
class NormalModesCollector {
  public:
    // The next line of the text, with its line end.  A heading is looked
    // for in the lines that end with a colon, as Gaussian prints it:
    //   " and normal coordinates:"
    void line(std::string_view line);
    // What lastNormalModes gives for the text given so far.
    std::optional<NormalModes> modes() const;
    // A printout is being read: every line is wanted until it ends.
    bool capturing() const { return capturing_; }

  private:
    bool found_ = false;      // a heading was met
    bool capturing_ = false;  // the printout under the last heading goes on
    bool twoFound_ = false;
    std::string last_;      // after the last heading
    std::string previous_;  // after the heading before it, up to the last one
};

}  // namespace zerlant
