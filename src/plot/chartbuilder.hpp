#pragma once
// Qt Charts drawing of a plot scene, shared by the window and the command
// line.

#include "core/plotdata/plotscene.hpp"

class QChart;
class QColor;

namespace zerlant::plot {

// A new chart of the scene (the caller owns it).  Axis numbers use the
// given decimal separator.  The legend lies under the plot and wraps into
// as many rows as its entries need at the chart's width.
QChart* buildChart(const plotdata::PlotScene& scene, char decimalSeparator);

// The colour of a file's curve (index from 0); negative: the measured spectrum.
QColor seriesColour(int index);

}  // namespace zerlant::plot
