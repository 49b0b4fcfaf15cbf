#pragma once
// Two previews over the ticked outputs, each accepted before anything
// happens: the next job of each output (its diagnosis, the fix proposed and
// the new input, written only as new files), and the sorting of the jobs
// into folders by their health (the moves, recorded for Undo).

#include <QDialog>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/nextjob/nextjob.hpp"
#include "core/sortjobs/sortjobs.hpp"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace zerlant::gui {

class AppContext;

// One ticked output's next job, or why it has none.
struct PlannedJob {
    std::string output;
    Result<NextJob> job = Error{};
};

class NextJobDialog : public QDialog {
    Q_OBJECT
  public:
    // Plans the next job of each output (nothing is written).
    NextJobDialog(const AppContext& app, const std::vector<std::string>& outputs,
                  QWidget* parent = nullptr);

    const std::vector<PlannedJob>& plans() const { return plans_; }
    QTableWidget* table() const { return table_; }
    QPlainTextEdit* inputText() const { return text_; }
    QPushButton* writeButton() const { return write_; }
    // The inputs that would be written: those whose file is not there yet.
    std::vector<NextInput> pendingInputs() const;

    // Writes the pending inputs as new files; the errors of those that
    // could not be written (one already there is never replaced).
    struct Written {
        int count = 0;
        std::vector<Error> failures;
    };
    Written writeInputs() const;

  private:
    void showInput(int row);

    const AppContext& app_;
    std::vector<PlannedJob> plans_;
    std::vector<std::pair<std::size_t, std::size_t>> rowInputs_;  // (plan, input) per row
    QTableWidget* table_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* write_ = nullptr;
};

class SortJobsDialog : public QDialog {
    Q_OBJECT
  public:
    // Plans the moves of the outputs (nothing is moved).
    SortJobsDialog(const AppContext& app, const std::vector<std::string>& outputs,
                   QWidget* parent = nullptr);

    const SortPlan& plan() const { return plan_; }
    QTableWidget* table() const { return table_; }
    QPushButton* moveButton() const { return move_; }
    // Moves the files, recorded in `journalFolder` for Undo.
    SortOutcome apply(const std::string& journalFolder) const;

  private:
    const AppContext& app_;
    SortPlan plan_;
    QTableWidget* table_ = nullptr;
    QPushButton* move_ = nullptr;
};

// The caption of a diagnosis and of a job's outcome in the window's language.
QString diagnosisCaption(const AppContext& app, Diagnosis d);
QString outcomeCaption(const AppContext& app, JobOutcome outcome);

}  // namespace zerlant::gui
