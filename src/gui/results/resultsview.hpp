#pragma once
// The results of the last Extract, Scan, Aim or thermochemistry run, shown
// at once: the run's outcome (files read, failed, skipped), the main table
// and each block in tabs, sortable, copied to the clipboard as tab-separated
// text with titles, and plots of the spectra and scan profiles.  The view
// keeps its tables until the next run.

#include <QWidget>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/plotdata/broadening.hpp"
#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/viewtable.hpp"
#include "core/scan/scanpoints.hpp"
#include "gui/app/messages.hpp"
#include "gui/results/thermoview.hpp"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace zerlant::gui {

class AppContext;
class Dialogs;
class PlotWindow;
class ResultTableModel;
class ResultSortProxy;

struct RunOutcome {
    std::size_t read = 0;     // files that gave rows
    std::size_t failed = 0;   // files that could not be read or parsed
    std::size_t skipped = 0;  // files left out and unticked (scan jobs in Extract)
};

class ResultsView : public QWidget {
    Q_OBJECT
  public:
    ResultsView(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);

    // The Extract run from its records; the blocks of the ticked boxes get a
    // tab each.  The tables are kept for the plots.
    void showExtract(const std::vector<ExtractRecord>& records, const Table& resultTable,
                     const DetailTable& detail, const ExtractBoxes& boxes, std::size_t unreadable,
                     std::size_t skipped);
    void showScan(const Table& scanTable, std::size_t unreadable, std::size_t skipped);
    // What the plots of the last Extract or Scan run draw: the records and
    // the scan points as numbers, never numbers read back from the tables.
    void setPlotSources(std::vector<ExtractRecord> records, std::vector<ScanFile> scanFiles);
    void showAim(const Table& aimTable, std::size_t unreadable, std::size_t skipped);
    // The thermochemistry of the files read, with its settings above it:
    // those of the last thermochemistry shown, when there was one.  It opens
    // in a tab of its own after the tabs of the last Extract, Scan or Aim
    // run, which stay (a thermochemistry shown before is replaced).
    void showThermo(std::vector<ThermoFile> files);
    // The thermochemistry shown, or nullptr after another run.
    ThermoView* thermoView() const;

    // The outcome of the run whose tab is current.
    const RunOutcome& outcome() const;
    QLabel* outcomeLabel() const { return outcomeLabel_; }
    QTabWidget* tabs() const { return tabs_; }
    // The table of a tab (a tab may hold settings above its table).
    QTableView* tableView(int tab) const;
    QComboBox* fileBox() const { return files_; }

  signals:
    // The current row of the Extract table is a row of `file`.
    void fileSelected(const QString& file);
    // The current row of the frequency tab is mode `mode` (0-based) of `file`.
    void modeSelected(const QString& file, int mode);

  public slots:
    // Copies the selection of the current tab as tab-separated text with titles.
    void copySelection();
    // Shows only the rows of `file` in every tab but the main table, and
    // turns to the first block (the empty text: every file).
    void showFileBlocks(const QString& file);
    // Opens a plot of the last run's files; nullptr (after a message) when
    // none of them has such a spectrum.
    PlotWindow* plotSpectrum(plotdata::Kind kind);
    PlotWindow* plotScan();

  private:
    enum class Run { None, Extract, Scan, Aim, Thermo };
    void clear();
    QTableView* addTab(const QString& title, ViewTable table);
    void setOutcome(const QString& tool, RunOutcome outcome, Msg skippedMessage, bool thermo);
    // The outcome line and the bar of the tab that became current.
    void tabChanged();
    void fileChosen(int index);
    void showPlotMenu();

    const AppContext& app_;
    Dialogs& dialogs_;
    Run run_ = Run::None;
    Table resultTable_;
    DetailTable detail_;
    Table scanTable_;
    std::vector<ExtractRecord> records_;
    std::vector<ScanFile> scanFiles_;
    struct Outcome {
        RunOutcome counts;
        QString text;
    };
    Outcome runOutcome_;     // of the Extract, Scan or Aim run
    Outcome thermoOutcome_;  // of the thermochemistry tab
    std::vector<ResultSortProxy*> proxies_;
    bool plottable_ = false;  // the run's files have spectra or profiles to plot
    std::optional<thermo::ThermoRequest> thermoSettings_;  // of the last thermochemistry

    QLabel* outcomeLabel_ = nullptr;
    QComboBox* files_ = nullptr;
    QPushButton* blocks_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* plot_ = nullptr;
    QTabWidget* tabs_ = nullptr;
};

}  // namespace zerlant::gui
