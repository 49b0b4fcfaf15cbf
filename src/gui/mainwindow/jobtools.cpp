// Tools > Next job and Tools > Sort jobs by health: previews over the
// ticked outputs, carried out only when the user accepts.

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "core/extract/extraction.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/messages.hpp"
#include "gui/jobs/jobdialogs.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/undojournal.hpp"

namespace zerlant::gui {

namespace {

// The ticked Gaussian outputs of the list, with their entries.
std::vector<std::pair<std::size_t, std::string>> tickedOutputs(const FileRows& rows) {
    std::vector<std::pair<std::size_t, std::string>> outputs;
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (rows[r].checked && isOutputFileName(rows[r].name))
            outputs.emplace_back(r, rows[r].path);
    return outputs;
}

std::vector<std::string> pathsOf(const std::vector<std::pair<std::size_t, std::string>>& v) {
    std::vector<std::string> paths;
    for (const auto& [entry, path] : v) paths.push_back(path);
    return paths;
}

QString failureLines(const std::vector<Error>& failures) {
    QStringList lines;
    for (const Error& e : failures)
        lines << QDir::toNativeSeparators(QString::fromStdString(e.describe()));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void MainWindow::nextJob() {
    const auto outputs = tickedOutputs(list_->list().rows());
    if (outputs.empty()) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::NoOutputTicked));
        return;
    }
    NextJobDialog dialog(app_, pathsOf(outputs), this);
    if (dialog.pendingInputs().empty()) {
        dialog.writeButton()->setEnabled(false);
        dialog.setToolTip(app_.msg(Msg::NoNextInput));
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const NextJobDialog::Written written = dialog.writeInputs();
    context_->showStatus(app_.msg(Msg::InputsWritten).arg(written.count));
    if (!written.failures.empty())
        dialogs_.message(this, Dialogs::Icon::Critical, app_.title(),
                         failureLines(written.failures));
}

void MainWindow::sortJobs() {
    const auto outputs = tickedOutputs(list_->list().rows());
    if (outputs.empty()) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::NoOutputTicked));
        return;
    }
    SortJobsDialog dialog(app_, pathsOf(outputs), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SortOutcome outcome = dialog.apply(journalFolderOf(*context_, JournalKind::Rename));
    // The list follows the outputs to their folders.
    for (const SortedJob& job : dialog.plan().jobs) {
        const auto at = std::find_if(outputs.begin(), outputs.end(),
                                     [&job](const auto& o) { return o.second == job.output; });
        const SortMove& move = job.moves.front();
        if (at == outputs.end() || !QFileInfo::exists(QString::fromStdString(move.to)))
            continue;
        const QString to = QString::fromStdString(move.to);
        list_->setEntry(at->first, QFileInfo(to).fileName(), to);
    }
    context_->showStatus(app_.msg(Msg::FilesMoved).arg(outcome.moved));
    if (!outcome.failures.empty())
        dialogs_.message(this, Dialogs::Icon::Critical, app_.title(),
                         failureLines(outcome.failures));
}

}  // namespace zerlant::gui
