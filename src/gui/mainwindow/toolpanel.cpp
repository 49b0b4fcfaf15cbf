#include "gui/mainwindow/toolpanel.hpp"

#include <QPushButton>

namespace zerlant::gui {

ToolPanel::ToolPanel(PanelContext& context, Panel panel, const char* objectName,
                     const QString& title)
    // Made in the window from the start, so that the panels can order their
    // controls for Tab before the window places them.
    : QGroupBox(title, context.window), ctx_(context), panel_(panel) {
    setObjectName(QString::fromLatin1(objectName));
}

QPushButton* ToolPanel::makeButton(const char* objectName, const QString& text, const QIcon& icon) {
    auto* b = new QPushButton(icon, text, this);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

}  // namespace zerlant::gui
