#pragma once
// Computed spectra: the lines (sticks) of a calculation and the broadened
// curve drawn through them.
//
// Vibrational spectra (IR, Raman) are sums of Lorentzians in wavenumbers,
// each scaled so that its height at the centre is the line's intensity
// (km/mol for IR, A^4/amu activity for Raman):
//     y(x) = sum_i I_i (G/2)^2 / ((x - x_i)^2 + (G/2)^2),  G = FWHM in cm-1.
// Electronic spectra are sums of Gaussians in energy with the half-width
// sigma at 1/e of the height, in eV:
//     UV-Vis:  eps(E)  = sum_i 1.3062974e8 f_i / sigma[cm-1] exp(-((E - E_i)/sigma)^2)
//              (L mol-1 cm-1, from oscillator strengths f_i);
//     ECD:     deps(E) = sum_i E_i R_i / (22.96 sqrt(pi) sigma) exp(-((E - E_i)/sigma)^2)
//              (L mol-1 cm-1, from rotatory strengths R_i in 1e-40 erg esu cm/Gauss).
// The electronic curves are computed in energy whatever the axis: on a
// nanometre axis each point x is evaluated at E = hc / x, so a line's peak
// stays at its own wavelength.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zerlant::plotdata {

enum class Kind { Ir, Raman, Uv, Ecd };
enum class Unit { Wavenumber, Nanometre, ElectronVolt };

inline constexpr double kEvNanometre = 1239.84198;   // hc in eV nm
inline constexpr double kEvWavenumber = 8065.54394;  // cm-1 per eV
inline constexpr double kHartreeKcal = 627.509474;   // kcal/mol per hartree

// Defaults: a Lorentzian FWHM of 15 cm-1 for IR and Raman (the middle of the
// 10-20 cm-1 commonly used to mimic condensed-phase band widths); a Gaussian
// sigma of 0.4 eV for UV-Vis and 0.2 eV for ECD.
inline constexpr double kDefaultFwhm = 15.0;
inline constexpr double kDefaultUvSigma = 0.4;
inline constexpr double kDefaultEcdSigma = 0.2;
// 0 points: a round step giving about 2000 points (1 cm-1 over 0-4000 cm-1).
inline constexpr std::size_t kDefaultPoints = 0;

bool isVibrational(Kind kind);

// One line of a calculation: its position (cm-1 for vibrational spectra, eV
// for electronic ones) and its strength (intensity, activity, f or R).
struct Stick {
    double position = 0.0;
    double strength = 0.0;
};

struct Settings {
    Kind kind = Kind::Ir;
    Unit unit = Unit::Wavenumber;  // the x axis; vibrational spectra always use cm-1
    double width = kDefaultFwhm;   // Lorentzian FWHM (cm-1) or Gaussian sigma (eV)
    double scale = 1.0;            // frequency scale factor (vibrational spectra)
    std::optional<std::pair<double, double>> range;  // x range in the axis unit
    std::size_t points = kDefaultPoints;
};

// The usual settings of a kind: its default width and axis (nm for UV-Vis and ECD).
Settings defaultSettings(Kind kind);

// Gaussian sigma (1/e half-width) <-> full width at half maximum.
double sigmaFromFwhm(double fwhm);
double fwhmFromSigma(double sigma);

// A line's position on the axis of `s` (scale factor applied, energy
// converted).  nullopt for lines that are not drawn: imaginary or zero
// frequencies, zero energies.
std::optional<double> axisPosition(const Stick& stick, const Settings& s);

// The curve's value at axis position x.
double curveValue(const std::vector<Stick>& sticks, const Settings& s, double x);

struct Curve {
    std::vector<double> x;
    std::vector<double> y;
};

// The x range to draw: s.range when set, otherwise one that holds every line
// of every set with room for its width (0 to at least 4000 cm-1 for
// vibrational spectra).  Always from the smaller to the larger value.
std::pair<double, double> plotRange(const std::vector<std::vector<Stick>>& sets, const Settings& s);

// The curve on s.points evenly spaced points (at least 2) over `range`; with
// s.points 0, on the multiples of a round step (1, 2 or 5 times a power of
// ten) of about a 2000th of the range, from the range's start.  No points
// when the range, the width or the scale is not a finite number.
Curve broaden(const std::vector<Stick>& sticks, const Settings& s, std::pair<double, double> range);

// The sticks as (axis position, strength), undrawn lines left out.
Curve sticksOnAxis(const std::vector<Stick>& sticks, const Settings& s);

}  // namespace zerlant::plotdata
