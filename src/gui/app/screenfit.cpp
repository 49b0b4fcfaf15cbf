#include "gui/app/screenfit.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zerlant::gui {

QRect fittedInto(QRect frame, const QRect& room) {
    frame.setWidth(std::min(frame.width(), room.width()));
    frame.setHeight(std::min(frame.height(), room.height()));
    frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() - frame.height() + 1));
    return frame;
}

void fitOnScreen(QWidget* window, bool centreUnshown) {
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || window->isMaximized() || window->isFullScreen())
        return;
    // The frame (title bar, borders) counts; the geometry is its inside.
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    const QMargins border(inside.left() - frame.left(), inside.top() - frame.top(),
                          frame.right() - inside.right(), frame.bottom() - inside.bottom());
    const QRect room = screen->availableGeometry();
    QRect wanted = frame;
    // A window not shown yet opens in the middle of the screen.
    if (centreUnshown && !window->isVisible())
        wanted.moveCenter(room.center());
    const QRect fitted = fittedInto(wanted, room);
    window->setGeometry(fitted.marginsRemoved(border));
}

}  // namespace zerlant::gui
