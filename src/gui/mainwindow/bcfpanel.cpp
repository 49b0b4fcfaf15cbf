#include "gui/mainwindow/bcfpanel.hpp"

#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/files/filetext.hpp"
#include "core/inputtools/batchfile.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"
#include "gui/app/messages.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"

namespace zerlant::gui {

BcfPanel::BcfPanel(PanelContext& context)
    : ToolPanel(context, Panel::Batch, "FRAbcf", context.app.msg(Msg::ToolBatch)) {
    const AppContext& app = context.app;
    auto* label15 = new QLabel(app.msg(Msg::BatchFileName, ":"), this);
    label15->setObjectName("Label15");
    auto* label16 = new QLabel(app.msg(Msg::OutputExtension, ":"), this);
    label16->setObjectName("Label16");
    batchName = new QLineEdit(this);
    batchName->setObjectName("TXTbcf");
    outputExtension = new QLineEdit("out", this);
    outputExtension->setObjectName("TXTbcfext");
    outputExtension->setMaxLength(3);
    outputExtension->setMaximumWidth(outputExtension->fontMetrics().horizontalAdvance("MMMMM") +
                                     12);
    fullPaths = new QCheckBox(app.msg(Msg::FullPaths), this);
    fullPaths->setObjectName("bcfpath");
    runButton = makeButton("BTejecutar3", app.msg(Msg::Run), picture(Picture::Run));
    batchText = new QPlainTextEdit(this);
    batchText->setObjectName("RTBbcf");
    batchText->setReadOnly(true);
    batchText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    batchText->setLineWrapMode(QPlainTextEdit::NoWrap);
    batchText->setMinimumHeight(batchText->fontMetrics().lineSpacing() * 8 + 8);
    batchText->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);

    auto* form = new QGridLayout;
    form->addWidget(label15, 0, 0);
    form->addWidget(batchName, 0, 1);
    form->addWidget(label16, 1, 0);
    form->addWidget(outputExtension, 1, 1, Qt::AlignLeft);
    form->addWidget(fullPaths, 2, 0, 1, 2);
    form->addWidget(runButton, 3, 0, Qt::AlignLeft);
    form->setRowStretch(4, 1);
    form->setColumnStretch(1, 1);

    auto* row = new QHBoxLayout(this);
    row->addLayout(form, 1);
    row->addWidget(batchText, 1);

    connect(runButton, &QPushButton::clicked, this, &BcfPanel::execute);
}

void BcfPanel::execute() {
    BcfOptions options;
    options.name = batchName->text().toStdString();
    options.outputExtension = outputExtension->text().toStdString();
    options.fullPaths = fullPaths->isChecked();
    const auto written =
        writeBcf(ctx_.list.list().rows(), options, ctx_.currentFolder().toStdString());
    if (!written) {
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             QString::fromStdString(written.error().describe()));
        if (options.name.empty())
            batchName->setFocus();
        return;
    }
    // Shown as read back from the disk, so the user sees what was written.
    const auto text = readFileBytes(*written);
    batchText->setPlainText(text ? QString::fromStdString(*text).remove(QLatin1Char('\r'))
                                 : QString());
    // Row 0 is the heading.
    const FileRows rows = ctx_.list.list().rows();
    std::size_t jobs = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) jobs += rows[r].checked ? 1 : 0;
    const QString done = ctx_.app.msg(Msg::BatchDone)
                             .arg(QDir::toNativeSeparators(QString::fromStdString(*written)))
                             .arg(static_cast<qulonglong>(jobs));
    ctx_.showStatus(done);
    ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Information, ctx_.app.title(), done);
    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

}  // namespace zerlant::gui
