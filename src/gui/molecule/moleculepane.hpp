#pragma once
// The structure pane: the selected output file's final geometry in a
// rotatable ball-and-stick view, its normal modes animated with their
// displacement arrows, the geometry of every optimisation step with its
// energy and convergence criteria, and a file still being written followed
// as it grows (Watch).

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "core/gaussian/normalmodes.hpp"
#include "core/molecule/jobstream.hpp"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;
class QTabWidget;
class QTimer;

namespace zerlant::gui {

class AppContext;
class ConvergencePlot;
class Dialogs;
class StructureCanvas;

class MoleculePane : public QWidget {
    Q_OBJECT
  public:
    MoleculePane(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MoleculePane() override;

    // Reads the output file at `path` and shows its last geometry, modes
    // and steps; watching stops.
    void loadFile(const QString& path);
    // No file: the hint of how to choose one (or `why`, when given).
    void clearFile(const QString& why = {});
    QString file() const { return path_; }

    // Mode `index` (0-based) animated; -1 stops the animation.
    void showMode(int index);
    // Frame `frame` of the animation of the mode shown (for tests and the timer).
    void showModeFrame(int frame);
    // Optimisation step `index` (0-based) shown.
    void showStep(int index);
    void setWatching(bool on);
    bool watching() const;
    // One look at the watched file now (the timer does it every second).
    void pollNow();

    // Every caption in the current language.
    void retranslate();

    StructureCanvas* canvas() const { return canvas_; }
    QListWidget* modeList() const { return modes_; }
    QSlider* stepSlider() const { return stepSlider_; }
    QTableWidget* stepTable() const { return stepTable_; }
    QCheckBox* watchBox() const { return watch_; }
    QLabel* statusLabel() const { return statusLabel_; }
    QTabWidget* sideTabs() const { return side_; }
    int modeCount() const;
    int stepCount() const;

  public slots:
    void saveImage();
    void copyXyz();
    void exportMode();

  private:
    enum class Status {
        None,
        NoFile,
        Unreadable,
        NoCartesian,
        Damaged,
        Watching,
        Ended,
        Truncated,
        Replaced,
        Vanished
    };
    void refreshFromFollower(bool firstLoad);
    void refreshModes();
    void refreshSteps();
    void setStatus(Status status, const QString& detail = {});
    QString statusText() const;
    void updateStepCaption();
    void stopAnimation();
    void modeTick();
    void playTick();
    void togglePlay();

    const AppContext& app_;
    Dialogs& dialogs_;
    QString path_;
    std::unique_ptr<molecule::JobFollower> follower_;
    std::vector<CartesianAtom> finalAtoms_;
    std::optional<NormalModes> normalModes_;
    Status status_ = Status::NoFile;
    QString statusDetail_;
    int mode_ = -1;
    int modeFrame_ = 0;
    int shownStep_ = -1;

    QLabel* fileLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QCheckBox* watch_ = nullptr;
    QCheckBox* labels_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* copy_ = nullptr;
    StructureCanvas* canvas_ = nullptr;
    QTabWidget* side_ = nullptr;
    QListWidget* modes_ = nullptr;
    QLabel* amplitudeLabel_ = nullptr;
    QDoubleSpinBox* amplitude_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QSlider* speed_ = nullptr;
    QPushButton* exportMode_ = nullptr;
    QLabel* noModes_ = nullptr;
    QSlider* stepSlider_ = nullptr;
    QPushButton* play_ = nullptr;
    QLabel* stepCaption_ = nullptr;
    QTableWidget* stepTable_ = nullptr;
    ConvergencePlot* plot_ = nullptr;
    QTimer* modeTimer_ = nullptr;
    QTimer* playTimer_ = nullptr;
    QTimer* watchTimer_ = nullptr;
};

}  // namespace zerlant::gui
