#pragma once
// The structure pane as a pane of the results area, below the results: it
// shows the file of the row selected in the Extract results (a row of the
// frequency tab also animates its mode) or the Gaussian output selected in
// the working list.

#include <QDockWidget>
#include <QString>

namespace zerlant::gui {

class AppContext;
class Dialogs;
class MainWindow;
class MoleculePane;

class MoleculeDock : public QDockWidget {
    Q_OBJECT
  public:
    MoleculeDock(MainWindow& window, const AppContext& app, Dialogs& dialogs);
    MoleculePane* pane() const { return pane_; }

    // Shows the structure of the output file at `path` (and its mode
    // `mode`, 0-based, when given).  While the pane is closed the file is
    // only remembered, and read when the pane is shown again; the first
    // request of all opens the pane.
    void request(const QString& path, int mode = -1);
    // The structure of `file`, a name of the Extract results, found in the
    // working list.
    void requestByName(const QString& file, int mode = -1);
    void retranslate();

  private:
    void loadPending();
    void shareHeightWithResults();

    MainWindow& window_;
    const AppContext& app_;
    MoleculePane* pane_ = nullptr;
    QString pending_;
    int pendingMode_ = -1;
    bool everShown_ = false;
    // The first showing still owes the results their share of the height.
    bool shareOwed_ = false;
};

// Creates the pane below the results, its entry in the View menu, and
// follows the selections of the results and of the working list.
MoleculeDock* attachMoleculeDock(MainWindow& window, const AppContext& app, Dialogs& dialogs);

}  // namespace zerlant::gui
