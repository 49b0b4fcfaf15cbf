#pragma once
// The map of a two-coordinate scan drawn with QPainter: the relative energy
// as colour over the plane of both coordinates, contour lines at round
// levels, a colour bar with those levels, and the lowest point starred.

#include <QRectF>

#include "core/plotdata/plotscene.hpp"

class QPainter;

namespace zerlant::plot {

void paintMap(QPainter& painter, const QRectF& area, const plotdata::MapScene& map,
              char decimalSeparator);

}  // namespace zerlant::plot
