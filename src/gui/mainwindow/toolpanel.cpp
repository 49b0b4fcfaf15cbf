#include "gui/mainwindow/toolpanel.hpp"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>

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

void ToolPanel::placeBesideButtons(QWidget* content, QLayout* buttons) {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(objectName() + QStringLiteral("Scroll"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As high as the content and the scroll bar under it.
    scroll->setMinimumHeight(content->sizeHint().height() +
                             scroll->horizontalScrollBar()->sizeHint().height());
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(scroll, 1);
    whole->addLayout(buttons);
}

}  // namespace zerlant::gui
