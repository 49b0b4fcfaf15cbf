#pragma once
// What every tool panel receives from the main window, and the panel base
// class.  A panel is the frame of one tool below the working list; exactly
// one is visible at a time.

#include <QGroupBox>
#include <QString>
#include <functional>

#include "core/filelist/workinglist.hpp"

class QPushButton;

namespace zerlant::gui {

class AppContext;
class BackgroundRun;
class Dialogs;
class FileListModel;

struct PanelContext {
    const AppContext& app;
    Dialogs& dialogs;
    FileListModel& list;
    BackgroundRun& runner;
    QWidget* window;
    // The folder the browser shows.
    std::function<QString()> currentFolder;
    // A line in the main window's status bar.
    std::function<void(const QString&)> showStatus;
};

class ToolPanel : public QGroupBox {
    Q_OBJECT
  public:
    ToolPanel(PanelContext& context, Panel panel, const char* objectName, const QString& title);

    Panel panel() const { return panel_; }

    // Called by the main window each time the panel is shown, after the
    // working list was reset for it.
    virtual void panelShown() {}

  protected:
    // A button with its caption and picture.
    QPushButton* makeButton(const char* objectName, const QString& text, const QIcon& icon);
    // Lays the panel out as `content` (its parameters) with `buttons` on its
    // right: the content scrolls sideways in a narrow window, the buttons
    // stay in view.
    void placeBesideButtons(QWidget* content, QLayout* buttons);

    PanelContext& ctx_;

  private:
    Panel panel_;
};

}  // namespace zerlant::gui
