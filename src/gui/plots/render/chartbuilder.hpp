#pragma once
// Qt Charts drawing of a plot scene, shared by the window and the command
// line: the chart itself and writing it to PNG, SVG or PDF.

#include <QSize>
#include <QString>

#include "core/plotdata/plotscene.hpp"

class QChart;
class QGraphicsScene;

namespace zerlant::plots {

// A new chart of the scene (the caller owns it).  Axis numbers use the
// given decimal separator.
QChart* buildChart(const plotdata::PlotScene& scene, char decimalSeparator);

enum class ImageFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (any case); nullopt-like
// false when it names none of them.
bool imageFormatOf(const QString& path, ImageFormat& format);

// Writes the chart, laid out at `size` pixels, to `path`.  False when the
// file could not be written.
bool saveChart(QChart* chart, const QString& path, ImageFormat format, QSize size);

}  // namespace zerlant::plots
