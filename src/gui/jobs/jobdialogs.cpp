#include "gui/jobs/jobdialogs.hpp"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "gui/app/appcontext.hpp"
#include "gui/app/messages.hpp"

namespace zerlant::gui {

namespace {

QString native(const std::string& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

QString fileName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

QTableWidget* previewTable(QWidget* parent, const char* name, const QStringList& titles) {
    auto* t = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(titles);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setWordWrap(false);
    return t;
}

void addRow(QTableWidget* t, const QStringList& cells, const QString& tip = {}) {
    const int row = t->rowCount();
    t->insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setToolTip(tip.isEmpty() ? cells[c] : tip);
        t->setItem(row, c, item);
    }
}

// The dialog's frame: a note, the table (and what goes below it), then the
// button that carries the change out and Cancel.
QPushButton* frame(QDialog* d, const AppContext& app, Msg note, QWidget* body, Msg action) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Cancel)->setText(app.msg(Msg::Cancel));
    QPushButton* go = buttons->addButton(app.msg(action), QDialogButtonBox::AcceptRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    auto* label = new QLabel(app.msg(note), d);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(d);
    layout->addWidget(label);
    layout->addWidget(body, 1);
    layout->addWidget(buttons);
    d->resize(900, 560);
    return go;
}

}  // namespace

QString diagnosisCaption(const AppContext& app, Diagnosis d) {
    switch (d) {
        case Diagnosis::Finished:
            return app.msg(Msg::DiagnosisFinished);
        case Diagnosis::OptimisationStopped:
            return app.msg(Msg::DiagnosisOptStopped);
        case Diagnosis::ScfNotConverged:
            return app.msg(Msg::DiagnosisScf);
        case Diagnosis::ImaginaryMinimum:
            return app.msg(Msg::DiagnosisImaginary);
        case Diagnosis::TransitionStateExtraModes:
            return app.msg(Msg::DiagnosisTsModes);
        case Diagnosis::InputError:
            return app.msg(Msg::DiagnosisInputError);
        case Diagnosis::OtherFailure:
            break;
    }
    return app.msg(Msg::DiagnosisOther);
}

QString outcomeCaption(const AppContext& app, JobOutcome outcome) {
    switch (outcome) {
        case JobOutcome::Done:
            return app.msg(Msg::OutcomeDone);
        case JobOutcome::Failed:
            return app.msg(Msg::OutcomeFailed);
        case JobOutcome::Imaginary:
            return app.msg(Msg::OutcomeImaginary);
        case JobOutcome::Running:
            break;
    }
    return app.msg(Msg::OutcomeRunning);
}

NextJobDialog::NextJobDialog(const AppContext& app, const std::vector<std::string>& outputs,
                             QWidget* parent)
    : QDialog(parent), app_(app) {
    setObjectName("nextJobDialog");
    setWindowTitle(app.msg(Msg::NextJobTitle));
    NextJobOptions options;
    options.fix = true;
    for (const std::string& output : outputs) {
        PlannedJob p{output, Error{}};
        try {
            p.job = nextJobOf(output, options);
        } catch (const std::exception& e) {
            p.job = Error{e.what(), output};
        }
        plans_.push_back(std::move(p));
    }

    table_ = previewTable(this, "nextJobTable",
                          {app.msg(Msg::OutputColumn), app.msg(Msg::DiagnosisColumn),
                           app.msg(Msg::FixColumn), app.msg(Msg::NewInputColumn)});
    for (std::size_t p = 0; p < plans_.size(); ++p) {
        const PlannedJob& plan = plans_[p];
        const QString output = fileName(plan.output);
        if (!plan.job) {
            addRow(table_, {output, QString(), QString::fromStdString(plan.job.error().message),
                            QString()});
            rowInputs_.emplace_back(p, SIZE_MAX);
            continue;
        }
        const NextJob& job = *plan.job;
        const QString diagnosis = diagnosisCaption(app, job.diagnosis);
        const QString fix = QString::fromStdString(job.refusal ? *job.refusal : job.summary);
        if (job.inputs.empty()) {
            addRow(table_, {output, diagnosis, fix, QString()});
            rowInputs_.emplace_back(p, SIZE_MAX);
        }
        for (std::size_t i = 0; i < job.inputs.size(); ++i) {
            QString name = fileName(job.inputs[i].path);
            if (exists(job.inputs[i].path))
                name += QStringLiteral(" (") + app.msg(Msg::AlreadyThere) + QLatin1Char(')');
            addRow(table_, {output, diagnosis, fix, name});
            rowInputs_.emplace_back(p, i);
        }
    }
    table_->resizeColumnsToContents();
    for (int c = 0; c < table_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 260));

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("nextJobInput");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFont(QStringLiteral("monospace")));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(text_);
    split->setChildrenCollapsible(false);
    table_->setMinimumHeight(120);
    text_->setMinimumHeight(120);
    write_ = frame(this, app, Msg::NothingWrittenYet, split, Msg::WriteInputs);
    write_->setObjectName("writeInputsButton");
    write_->setEnabled(!pendingInputs().empty());

    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { showInput(row); });
    if (table_->rowCount() > 0)
        table_->setCurrentCell(0, 0);
}

void NextJobDialog::showInput(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rowInputs_.size()) {
        text_->clear();
        return;
    }
    const auto [p, i] = rowInputs_[row];
    const PlannedJob& plan = plans_[p];
    if (!plan.job || i == SIZE_MAX) {
        text_->clear();
        return;
    }
    const NextInput& input = plan.job->inputs[i];
    text_->setPlainText(QString::fromStdString(input.text));
    text_->setToolTip(native(input.path));
}

std::vector<NextInput> NextJobDialog::pendingInputs() const {
    std::vector<NextInput> pending;
    for (const PlannedJob& p : plans_)
        if (p.job)
            for (const NextInput& input : p.job->inputs)
                if (!exists(input.path))
                    pending.push_back(input);
    return pending;
}

NextJobDialog::Written NextJobDialog::writeInputs() const {
    Written out;
    for (const NextInput& input : pendingInputs()) {
        if (Status s = writeNewFile(input.path, input.text); s)
            ++out.count;
        else
            out.failures.push_back(s.error());
    }
    return out;
}

SortJobsDialog::SortJobsDialog(const AppContext& app, const std::vector<std::string>& outputs,
                               QWidget* parent)
    : QDialog(parent), app_(app) {
    setObjectName("sortJobsDialog");
    setWindowTitle(app.msg(Msg::SortJobsTitle));
    plan_ = planSort(outputs, SortOptions{});
    table_ = previewTable(this, "sortJobsTable",
                          {app.msg(Msg::OutputColumn), app.msg(Msg::OutcomeColumn),
                           app.msg(Msg::WhyColumn), app.msg(Msg::MovesColumn)});
    for (const SortedJob& job : plan_.jobs) {
        QStringList moves;
        for (const SortMove& m : job.moves) {
            const std::filesystem::path to(m.to);
            moves << fileName(m.from) + QStringLiteral(" → ") +
                         QString::fromStdString(
                             (to.parent_path().filename() / to.filename()).string());
        }
        QStringList tip;
        for (const SortMove& m : job.moves)
            tip << native(m.from) + QStringLiteral(" → ") + native(m.to);
        addRow(table_,
               {fileName(job.output), outcomeCaption(app, job.outcome),
                QString::fromStdString(job.why), moves.join(QStringLiteral(", "))},
               tip.join(QLatin1Char('\n')));
    }
    for (const Error& e : plan_.problems)
        addRow(table_, {fileName(e.path), app.msg(Msg::CannotMove),
                        QString::fromStdString(e.message), QString()});
    table_->resizeColumnsToContents();
    for (int c = 0; c < table_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 260));
    table_->setMinimumHeight(160);
    move_ = frame(this, app, Msg::NothingMovedYet, table_, Msg::MoveFiles);
    move_->setObjectName("moveFilesButton");
    move_->setEnabled(!plan_.jobs.empty());
}

SortOutcome SortJobsDialog::apply(const std::string& journalFolder) const {
    return applySort(plan_, journalFolder);
}

}  // namespace zerlant::gui
