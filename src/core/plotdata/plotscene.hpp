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
    int colour = 0;           // the file's index: its curve and its sticks share a colour
    bool secondAxis = false;  // drawn against the right-hand y axis
    bool dashed = false;      // the measured spectrum
};

struct PlotScene {
    std::string title;
    std::string xTitle;
    std::string yTitle;
    std::string y2Title;    // empty: no right-hand axis
    std::string note;       // the settings, shown on the plot
    bool reverseX = false;  // wavenumbers run from high to low
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

// Captions come from the message table (messages 268-299 and 204).  The
// note gives the line shape and width and, when not 1, the scale factor.
// Numbers of the note use `decimalSeparator`.
PlotScene spectrumScene(const std::vector<NamedSticks>& files, const Settings& s,
                        const MessageLookup& message,
                        const std::optional<MeasuredOverlay>& measured = std::nullopt,
                        char decimalSeparator = '.');

// The profiles with the lowest point of each marked.
PlotScene scanScene(const std::vector<ScanProfile>& profiles, const MessageLookup& message,
                    char decimalSeparator = '.');

// The curves of a spectrum scene as CSV ("x,y" for one file, one y column
// per file otherwise).
std::string sceneCsv(const PlotScene& scene, const Settings& s);

// Decimal numbers for captions: up to `decimals` places, trailing zeros
// dropped, with the given separator.
std::string captionNumber(double value, int decimals, char decimalSeparator = '.');

}  // namespace zerlant::plotdata
