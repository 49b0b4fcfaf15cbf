#pragma once
// Plots as the bytes of a PNG, SVG or PDF file, and those bytes written
// through the core's atomic writer.  SVG files are XML: their <title> is the
// plot's plain-text title, escaped.

#include <QSize>
#include <memory>
#include <optional>
#include <string>

#include "core/common/result.hpp"
#include "core/plotdata/plotscene.hpp"

class QApplication;
class QChart;

namespace zerlant::plot {

enum class ImageFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (any case); nullopt when
// it names none of them.
std::optional<ImageFormat> imageFormatOf(const std::string& path);

// The file's bytes of the chart laid out at `size`; the chart is given back
// to the scene it was in.  `title` is the document title of SVG and PDF.
// nullopt when the drawing failed.
std::optional<std::string> chartBytes(QChart* chart, ImageFormat format, QSize size,
                                      const std::string& title);
std::optional<std::string> mapBytes(const plotdata::MapScene& map, ImageFormat format, QSize size,
                                    char decimalSeparator);

// For programs without a window (zerlant-cli): an offscreen Qt application
// when none runs (nullptr when one does), for as long as the caller keeps it.
std::unique_ptr<QApplication> startApplication();

// Draws the scene or map and writes it to `path` in the format its
// extension names, replacing an existing file in one step.
Status writePlotImage(const plotdata::PlotScene& scene, const std::string& path,
                      char decimalSeparator, QSize size = QSize(1200, 750));
Status writeMapImage(const plotdata::MapScene& map, const std::string& path, char decimalSeparator,
                     QSize size = QSize(1000, 800));

}  // namespace zerlant::plot
