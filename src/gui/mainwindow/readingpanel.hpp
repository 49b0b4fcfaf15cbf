#pragma once
// The common part of the Extract, Scan and Aim panels: a run button that
// reads the ticked files on a worker thread, and two export buttons (text and
// spreadsheet) that are enabled by a finished run and disabled by every change
// of the list, the folder or the pattern.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/types.hpp"
#include "core/results/table.hpp"
#include "gui/app/messages.hpp"
#include "gui/mainwindow/backgroundrun.hpp"
#include "gui/mainwindow/toolpanel.hpp"

class QCheckBox;

namespace zerlant::gui {

class ReadingPanel : public ToolPanel {
    Q_OBJECT
  public:
    ReadingPanel(PanelContext& context, Panel panel, const char* objectName, const QString& title,
                 const char* runName, const char* textName, const char* sheetName);

    QPushButton* runButton() const { return run_; }
    QPushButton* textButton() const { return text_; }
    QPushButton* sheetButton() const { return sheet_; }

    bool exportEnabled() const;
    void setExportEnabled(bool enabled);

    // What the last run left out: files that could not be read, and files
    // unticked (scan jobs for Extract, other jobs for Scan, non-.sum for Aim).
    struct RunCounts {
        std::size_t unreadable = 0;
        std::size_t skipped = 0;
    };
    const RunCounts& lastRunCounts() const { return counts_; }

    // The ExportTable built from the panel's tables and ticked boxes.
    virtual Table exportTable() const = 0;

    // After a language switch: the column titles of the tables read (row 0)
    // in the new language.  Cells below the titles are never touched.
    virtual void retranslateTitles(const std::function<QString(const QString&)>& translate) = 0;

    // The results in a form for scripts ("csv" or "json"), for the panels
    // that offer it; nothing otherwise.
    virtual std::optional<std::string> tidyExport(const std::string& format) const {
        (void)format;
        return std::nullopt;
    }

  public slots:
    // Starts the run over the ticked rows; returns at once.
    virtual void run() = 0;
    // Writes the export table as text where the user says in a save dialog
    // (the folder's name in the program's folder offered first).
    void exportText();
    // Writes the export table as a workbook where the user says, and opens it.
    void exportSheet();

  signals:
    // A run ended and its results were taken (not sent for a cancelled run).
    void runFinished();

  protected:
    // What a run reads from the window, copied for the worker thread.
    struct RunInputs {
        FileRows rows;
        MessageLookup messages;
        char decimal = '.';
    };
    // Stores a finished run's results, on the window's thread, and returns
    // the files that could not be read ("path: reason").
    using RunResults = std::function<std::vector<std::string>()>;
    // The run itself, on the worker thread: empty results when cancelled.
    using RunWork = std::function<RunResults(const RunInputs&, const ProgressCallback&)>;

    // Lays the panel out: the columns of boxes side by side (with a thin
    // line of the given name between two columns, where one is named), then
    // the run and export buttons.
    void layOut(const std::vector<std::vector<QCheckBox*>>& columns,
                const std::vector<const char*>& separators = {});
    // The boxes in columns of `perColumn`, in order.
    static std::vector<std::vector<QCheckBox*>> inColumns(const std::vector<QCheckBox*>& boxes,
                                                          std::size_t perColumn);
    // Runs `work` over the working list.  Unless it was cancelled, its
    // results are stored, files that could not be read are reported, the
    // export buttons are enabled and runFinished() is sent.
    void startRun(RunWork work);
    // Unticks the rows a run names (row 0 is the heading's box).
    void untick(const std::vector<std::size_t>& rows);
    // Shows a message box titled with the application's title.
    void notify(Msg message, bool critical);

  private:
    // The folder the save dialogs of the exports open in.
    QString exportFolder() const;
    // The save dialog of an export: `name` in exportFolder(), the filter of
    // message `filterMessage` first; asks before replacing a file.
    QString askExportPath(const QString& caption, const std::string& name, Msg filterMessage,
                          bool tidy = false) const;
    // The number of ticked rows, heading included, for the progress bar.
    int tickedRows() const;

    RunCounts counts_;
    QPushButton* run_;
    QPushButton* text_;
    QPushButton* sheet_;
};

// Row 0 of `table`, each title through `translate`.
void retranslateTitleRow(Table& table, const std::function<QString(const QString&)>& translate);

// A column of check boxes with captions from the message table.
QCheckBox* makeCheckBox(QWidget* parent, const char* objectName, const QString& caption,
                        bool ticked);

}  // namespace zerlant::gui
