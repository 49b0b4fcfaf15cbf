#pragma once
// What a plot shows, independent of the drawing: titles, axes, the series
// and the note of the settings used.  The window and the command line build
// their plots from the same scene.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/common/types.hpp"
#include "core/plotdata/broadening.hpp"
#include "core/plotdata/scanprofile.hpp"

namespace zerlant::plotdata {

struct Series {
    enum class Style { Line, Sticks, Points, Marker };
    Style style = Style::Line;
    std::string name;       // legend text; empty: not in the legend
    std::vector<double> x;  // for Sticks: the line positions (drawn from 0 to y)
    std::vector<double> y;
    int colour = 0;            // the file's index: its curve and its sticks share a colour
    bool secondAxis = false;   // drawn against the right-hand y axis
    bool dashed = false;       // the measured spectrum
    bool secondXAxis = false;  // drawn against the top x axis (a coordinate of another unit)
};

struct PlotScene {
    std::string title;
    std::string xTitle;
    std::string yTitle;
    std::string y2Title;  // empty: no right-hand axis
    bool y2Log = false;   // the right-hand axis is logarithmic (values above 0 only)
    std::string x2Title;  // empty: no top axis
    std::pair<double, double> x2Range{0.0, 1.0};
    std::string note;       // the settings, shown on the plot
    bool reverseX = false;  // wavenumbers run from high to low
    bool wholeX = false;    // x ticks on whole numbers only (steps)
    std::pair<double, double> xRange{0.0, 1.0};
    std::vector<Series> series;
    std::vector<Curve> curves;  // the broadened curve of each file, for CSV
    std::vector<std::string> curveNames;
};

// One file's lines of a spectrum.
struct NamedSticks {
    std::string name;
    std::vector<Stick> sticks;
};

// A measured spectrum to overlay; it is scaled to the largest computed curve.
struct MeasuredOverlay {
    std::string name;
    Curve curve;
};

// Captions come from the message table (the spectrum and scan messages).  The
// note gives the line shape and width and, when not 1, the scale factor.
// Numbers of the note use `decimalSeparator`.
PlotScene spectrumScene(const std::vector<NamedSticks>& files, const Settings& s,
                        const MessageLookup& message,
                        const std::optional<MeasuredOverlay>& measured = std::nullopt,
                        char decimalSeparator = '.');

// The profiles with the lowest point of each marked by a marker of its own
// (no curve's colour).  A two-coordinate scan is a family of curves against
// the first coordinate, one per value of the second.  Coordinates of one
// unit share the bottom axis, titled with their names and unit; a second
// unit (a bond beside dihedrals) gets the top axis.  Points whose
// coordinate or energy is not available are left out.
PlotScene scanScene(const std::vector<ScanProfile>& profiles, const MessageLookup& message,
                    char decimalSeparator = '.');

// The map of a two-coordinate scan: its grid, contour levels and titles.
struct MapScene {
    std::string title;
    std::string xTitle, yTitle, zTitle;
    std::string note;
    ScanGrid grid;
    std::vector<double> levels;
    std::vector<std::vector<Segment>> contours;  // one list per level
};
std::optional<MapScene> scanMapScene(const ScanProfile& profile, const MessageLookup& message,
                                     char decimalSeparator = '.');

// The axis title of a coordinate: "B (Å)", "D7 (°)", "N".
std::string coordinateTitle(const ScanCoordinate& c);

// The curves of a spectrum scene as CSV ("x,y" for one file, one y column
// per file otherwise).
std::string sceneCsv(const PlotScene& scene, const Settings& s);

// Decimal numbers for captions: up to `decimals` places, trailing zeros
// dropped, with the given separator.
std::string captionNumber(double value, int decimals, char decimalSeparator = '.');

}  // namespace zerlant::plotdata
