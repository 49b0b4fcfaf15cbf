#pragma once
// Writing a plot scene to an image file from a program without a window
// (zerlant-cli plot): starts an offscreen Qt application when none runs.

#include <string>

#include "core/plotdata/plotscene.hpp"

namespace zerlant::plots {

// Writes the scene to `path` as PNG, SVG or PDF (by its extension) at
// width x height pixels.  An empty text when done, otherwise what went wrong.
std::string writePlotImage(const plotdata::PlotScene& scene, const std::string& path,
                           char decimalSeparator, int width = 1200, int height = 750);

}  // namespace zerlant::plots
