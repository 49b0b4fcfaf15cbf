#pragma once
// Windows of the program stay on the screen they open on: a size or place
// remembered on a larger screen, or given by the code, is cut down to the
// screen's free area.

#include <QRect>

class QWidget;

namespace zerlant::gui {

// `frame` made no larger than `room` and moved inside it.
QRect fittedInto(QRect frame, const QRect& room);

// Resizes and moves the window into the free area of its screen; a window
// not shown yet is centred on it unless `centreUnshown` is false (a place
// the user left it in).
void fitOnScreen(QWidget* window, bool centreUnshown = true);

}  // namespace zerlant::gui
