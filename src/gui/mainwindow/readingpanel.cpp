#include "gui/mainwindow/readingpanel.hpp"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "core/files/filetext.hpp"
#include "core/results/textexport.hpp"
#include "core/results/xlsxexport.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/sheetexport.hpp"

namespace zerlant::gui {

QCheckBox* makeCheckBox(QWidget* parent, const char* objectName, const QString& caption,
                        bool ticked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setChecked(ticked);
    return box;
}

ReadingPanel::ReadingPanel(PanelContext& context, Panel panel, const char* objectName,
                           const QString& title, const char* runName, const char* textName,
                           const char* sheetName)
    : ToolPanel(context, panel, objectName, title) {
    const AppContext& app = context.app;
    run_ = makeButton(runName, app.msg(Msg::Run), picture(Picture::Run));
    text_ = makeButton(textName, app.msg(Msg::ExportText), picture(Picture::TextExport));
    sheet_ = makeButton(sheetName, app.msg(Msg::ExportSheet), picture(Picture::SheetExport));
    setExportEnabled(false);
    connect(run_, &QPushButton::clicked, this, &ReadingPanel::run);
    connect(text_, &QPushButton::clicked, this, &ReadingPanel::exportText);
    connect(sheet_, &QPushButton::clicked, this, &ReadingPanel::exportSheet);
}

bool ReadingPanel::exportEnabled() const {
    return text_->isEnabled() && sheet_->isEnabled();
}

void ReadingPanel::setExportEnabled(bool enabled) {
    text_->setEnabled(enabled);
    sheet_->setEnabled(enabled);
}

int ReadingPanel::tickedRows() const {
    int n = ctx_.list.headingChecked() ? 1 : 0;
    for (std::size_t e = 1; e <= ctx_.list.entryCount(); ++e) {
        if (ctx_.list.isChecked(e))
            ++n;
    }
    return n;
}

void ReadingPanel::layOut(const std::vector<std::vector<QCheckBox*>>& columns,
                          const std::vector<const char*>& separators) {
    auto* boxes = new QWidget(this);
    boxes->setObjectName("boxColumns");
    auto* row = new QHBoxLayout(boxes);
    row->setContentsMargins(0, 0, 0, 0);
    // Tab goes down the columns, then to the buttons.
    QWidget* previous = nullptr;
    auto tabAfter = [&previous](QWidget* next) {
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    };
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0 && c - 1 < separators.size()) {
            auto* line = new QFrame(boxes);
            line->setObjectName(QString::fromLatin1(separators[c - 1]));
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            row->addWidget(line);
        } else if (c > 0) {
            row->addSpacing(18);
        }
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        for (QCheckBox* box : columns[c]) {
            column->addWidget(box);
            tabAfter(box);
        }
        column->addStretch(1);
        row->addLayout(column);
    }
    row->addStretch(1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {run_, text_, sheet_}) {
        buttons->addWidget(b);
        tabAfter(b);
    }
    buttons->addStretch(1);
    placeBesideButtons(boxes, buttons);
}

std::vector<std::vector<QCheckBox*>> ReadingPanel::inColumns(const std::vector<QCheckBox*>& boxes,
                                                             std::size_t perColumn) {
    std::vector<std::vector<QCheckBox*>> columns;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (i % perColumn == 0)
            columns.emplace_back();
        columns.back().push_back(boxes[i]);
    }
    return columns;
}

void ReadingPanel::startRun(RunWork work) {
    RunInputs inputs{ctx_.list.list().rows(), ctx_.app.lookup(), ctx_.app.decimalSeparator()};
    std::vector<std::string> runFiles;
    for (std::size_t r = 1; r < inputs.rows.size(); ++r) runFiles.push_back(inputs.rows[r].path);
    auto results = std::make_shared<RunResults>();
    ctx_.runner.start(
        title(), tickedRows(),
        [inputs = std::move(inputs), work = std::move(work),
         results](const ProgressCallback& progress) { *results = work(inputs, progress); },
        [this, results, runFiles = std::move(runFiles)](bool) {
            if (!*results)
                return;
            ctx_.dialogs.setRunFiles(runFiles);
            counts_ = {};
            const std::vector<std::string> unreadable = (*results)();
            counts_.unreadable = unreadable.size();
            if (!unreadable.empty()) {
                QStringList lines;
                for (const std::string& line : unreadable) lines << QString::fromStdString(line);
                ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                                     lines.join(QLatin1Char('\n')));
            }
            setExportEnabled(true);
            emit runFinished();
        });
    if (QProgressDialog* progress = ctx_.runner.dialog())
        progress->setCancelButtonText(ctx_.app.msg(Msg::Cancel));
}

void ReadingPanel::untick(const std::vector<std::size_t>& rows) {
    counts_.skipped = rows.size();
    for (std::size_t r : rows) ctx_.list.setChecked(r, false);
}

void ReadingPanel::notify(Msg message, bool critical) {
    ctx_.dialogs.message(ctx_.window,
                         critical ? Dialogs::Icon::Critical : Dialogs::Icon::Information,
                         ctx_.app.title(), ctx_.app.msg(message));
}

QString ReadingPanel::exportFolder() const {
    return ctx_.dialogs.startFolder();
}

QString ReadingPanel::askExportPath(const QString& caption, const std::string& name,
                                    Msg filterMessage, bool tidy) const {
    const QString suggested = QDir(exportFolder()).filePath(QString::fromStdString(name));
    QString filter = ctx_.app.msg(filterMessage) + QStringLiteral(";;");
    if (tidy)  // CSV and JSON for scripts, where the panel offers them
        filter += ctx_.app.msg(Msg::CsvFilter) + QStringLiteral(";;") +
                  ctx_.app.msg(Msg::JsonFilter) + QStringLiteral(";;");
    filter += ctx_.app.msg(Msg::AllFilesFilter);
    return ctx_.dialogs.saveFileNameAsking(ctx_.window, QString(caption).remove(QLatin1Char('&')),
                                           suggested, filter, ctx_.app.title(),
                                           ctx_.app.msg(Msg::ReplaceQuestion));
}

void ReadingPanel::exportText() {
    const Table table = exportTable();
    const std::string folder = ctx_.currentFolder().toStdString();
    const bool tidy = tidyExport("csv").has_value();
    const QString chosen =
        askExportPath(text_->text(), exportFileName(folder), Msg::TextFilter, tidy);
    if (chosen.isEmpty())
        return;
    // A name ending in .csv or .json asks for the form for scripts.
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    std::optional<std::string> scripted;
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("json"))
        scripted = tidyExport(suffix.toStdString());
    const auto status = scripted ? writeFileAtomically(chosen.toStdString(), *scripted)
                                 : writeExportText(table, ";", chosen.toStdString());
    if (status) {
        ctx_.showStatus(chosen);
    } else {
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             QString::fromStdString(status.error().describe()));
    }
}

void ReadingPanel::exportSheet() {
    const std::string folder = ctx_.currentFolder().toStdString();
    const QString chosen = askExportPath(sheet_->text(), excelFileName(folder), Msg::SheetFilter);
    if (chosen.isEmpty())
        return;
    writeAndOpenWorkbook(ctx_, exportTable(), chosen);
}

void retranslateTitleRow(Table& table, const std::function<QString(const QString&)>& translate) {
    if (table.rows() == 0)
        return;
    for (std::size_t c = 0; c < table.columns(); ++c)
        table.set(c, 0, translate(QString::fromStdString(table.cell(c, 0))).toStdString());
}

}  // namespace zerlant::gui
