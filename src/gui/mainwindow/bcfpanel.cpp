#include "gui/mainwindow/bcfpanel.hpp"

#include <QCheckBox>
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
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"

namespace zerlant::gui {

BcfPanel::BcfPanel(PanelContext& context)
    : ToolPanel(context, Panel::Batch, "FRAbcf", context.app.msg(54)) {
    const AppContext& app = context.app;
    auto* label15 = new QLabel(app.msg(129, ":"), this);
    label15->setObjectName("Label15");
    auto* label16 = new QLabel(app.msg(130, ":"), this);
    label16->setObjectName("Label16");
    TXTbcf = new QLineEdit(this);
    TXTbcf->setObjectName("TXTbcf");
    TXTbcfext = new QLineEdit("out", this);
    TXTbcfext->setObjectName("TXTbcfext");
    TXTbcfext->setMaxLength(3);
    TXTbcfext->setMaximumWidth(TXTbcfext->fontMetrics().horizontalAdvance("MMMMM") + 12);
    bcfpath = new QCheckBox(app.msg(139), this);
    bcfpath->setObjectName("bcfpath");
    BTejecutar3 = makeButton("BTejecutar3", app.msg(79), picture(Picture::Run));
    RTBbcf = new QPlainTextEdit(this);
    RTBbcf->setObjectName("RTBbcf");
    RTBbcf->setReadOnly(true);
    RTBbcf->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RTBbcf->setLineWrapMode(QPlainTextEdit::NoWrap);
    RTBbcf->setMinimumHeight(RTBbcf->fontMetrics().lineSpacing() * 8 + 8);
    RTBbcf->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);

    auto* form = new QGridLayout;
    form->addWidget(label15, 0, 0);
    form->addWidget(TXTbcf, 0, 1);
    form->addWidget(label16, 1, 0);
    form->addWidget(TXTbcfext, 1, 1, Qt::AlignLeft);
    form->addWidget(bcfpath, 2, 0, 1, 2);
    form->addWidget(BTejecutar3, 3, 0, Qt::AlignLeft);
    form->setRowStretch(4, 1);
    form->setColumnStretch(1, 1);

    auto* row = new QHBoxLayout(this);
    row->addLayout(form, 1);
    row->addWidget(RTBbcf, 1);

    connect(BTejecutar3, &QPushButton::clicked, this, &BcfPanel::execute);
}

void BcfPanel::execute() {
    BcfOptions options;
    options.name = TXTbcf->text().toStdString();
    options.outputExtension = TXTbcfext->text().toStdString();
    options.fullPaths = bcfpath->isChecked();
    const auto written =
        writeBcf(ctx_.list.list().rows(), options, ctx_.currentFolder().toStdString());
    if (!written) {
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             QString::fromStdString(written.error().describe()));
        if (options.name.empty())
            TXTbcf->setFocus();
        return;
    }
    // Shown as read back from the disk, so the user sees what was written.
    const auto text = readFileBytes(*written);
    RTBbcf->setPlainText(text ? QString::fromStdString(*text).remove(QLatin1Char('\r'))
                              : QString());
    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

}  // namespace zerlant::gui
