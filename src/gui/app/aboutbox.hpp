#pragma once
// The about box: product name, description, version, credits, the web page
// and a button that starts the desktop's system-information program.

#include <QDialog>
#include <QStringList>

namespace zerlant::gui {

class AppContext;
class Dialogs;

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);

    // The system-information programs looked for on the PATH, in order.
    static QStringList systemInfoPrograms();
    // The first of them found on the PATH, or the empty text.
    static QString findSystemInfoProgram();

  public slots:
    // Starts the system-information program, or shows SystemInformationFailed.
    void startSysInfo();
    void openWebPage();

  private:
    const AppContext& app_;
    Dialogs& dialogs_;
};

}  // namespace zerlant::gui
