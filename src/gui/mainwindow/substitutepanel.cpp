#include "gui/mainwindow/substitutepanel.hpp"

#include <QButtonGroup>
#include <QClipboard>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "core/inputtools/substitute.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/undojournal.hpp"

namespace zerlant::gui {

namespace {

QPlainTextEdit* block(QWidget* parent, const char* name) {
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    e->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Eight lines high; the panel area does not grow with the window.
    e->setMinimumHeight(e->fontMetrics().lineSpacing() * 8 + 8);
    e->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    return e;
}

}  // namespace

SubstitutePanel::SubstitutePanel(PanelContext& context)
    : ToolPanel(context, Panel::Substitute, "FRAsustituir", context.app.msg(53)) {
    const AppContext& app = context.app;
    auto* label13 = new QLabel(app.msg(124, "..."), this);
    label13->setObjectName("Label13");
    auto* label14 = new QLabel(app.msg(125, "..."), this);
    label14->setObjectName("Label14");
    RTBorigen = block(this, "RTBorigen");
    RTBdestino = block(this, "RTBdestino");
    BTPasteOrigen = makeButton("BTPasteOrigen", app.msg(126), picture(Picture::Paste));
    BTpastedestino = makeButton("BTpastedestino", app.msg(126), picture(Picture::Paste));
    BTejecutar2 = makeButton("BTejecutar2", app.msg(79), picture(Picture::Run));
    BTdeshacer2 =
        makeButton("BTdeshacer2", app.msg(232),
                   QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)));
    BTdeshacer2->setToolTip(app.msg(237));

    OPTsustituir = new QButtonGroup(this);
    OPTsustituir->setObjectName("OPTsustituir");
    auto* every = new QRadioButton(app.msg(127), this);
    every->setObjectName("OPTsustituir0");
    auto* first = new QRadioButton(app.msg(128), this);
    first->setObjectName("OPTsustituir1");
    OPTsustituir->addButton(every, 0);
    OPTsustituir->addButton(first, 1);
    every->setChecked(true);

    auto* grid = new QGridLayout;
    auto* originHead = new QHBoxLayout;
    originHead->addWidget(label13, 1);
    originHead->addWidget(BTPasteOrigen);
    auto* targetHead = new QHBoxLayout;
    targetHead->addWidget(label14, 1);
    targetHead->addWidget(BTpastedestino);
    grid->addLayout(originHead, 0, 0);
    grid->addLayout(targetHead, 0, 1);
    grid->addWidget(RTBorigen, 1, 0);
    grid->addWidget(RTBdestino, 1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(every);
    side->addWidget(first);
    side->addStretch(1);
    side->addWidget(BTejecutar2);
    side->addWidget(BTdeshacer2);

    auto* row = new QHBoxLayout(this);
    row->addLayout(grid, 1);
    row->addLayout(side);

    // The paste buttons take the clipboard's text as the whole block.
    connect(BTPasteOrigen, &QPushButton::clicked, this,
            [this] { RTBorigen->setPlainText(QGuiApplication::clipboard()->text()); });
    connect(BTpastedestino, &QPushButton::clicked, this,
            [this] { RTBdestino->setPlainText(QGuiApplication::clipboard()->text()); });
    connect(BTejecutar2, &QPushButton::clicked, this, &SubstitutePanel::execute);
    connect(BTdeshacer2, &QPushButton::clicked, this, &SubstitutePanel::undo);
    BTdeshacer2->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::panelShown() {
    BTdeshacer2->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::undo() {
    undoLastRun(ctx_, JournalKind::Substitute);
    BTdeshacer2->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::execute() {
    SubstituteOptions options;
    options.from = RTBorigen->toPlainText().toStdString();
    options.to = RTBdestino->toPlainText().toStdString();
    options.firstOnly = OPTsustituir->checkedId() == 1;
    const AppContext& app = ctx_.app;
    auto reportFailures = [this, &app](const std::vector<SubstituteFailure>& failures) {
        if (failures.empty())
            return;
        QStringList lines;
        for (const SubstituteFailure& f : failures)
            lines << QString::fromStdString(f.path) + QStringLiteral(": ") +
                         QString::fromStdString(f.reason);
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, app.title(),
                             lines.join(QLatin1Char('\n')));
    };

    // Count first, then ask; nothing is written before the answer.
    SubstitutePlan plan = planSubstitution(ctx_.list.list().rows(), options);
    if (plan.changes.empty()) {
        if (plan.ticked > plan.failures.size())
            ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Information, app.title(),
                                 app.msg(231));
        reportFailures(plan.failures);
        return;
    }
    const QString question = app.msg(230)
                                 .arg(static_cast<qulonglong>(plan.changes.size()))
                                 .arg(static_cast<qulonglong>(plan.ticked));
    if (!ctx_.dialogs.confirm(ctx_.window, app.title(), question))
        return;

    // The record for Undo goes first, so that a run cut short can be undone
    // too; without it the user decides.
    Journal journal{JournalKind::Substitute, {}};
    for (const PlannedFile& f : plan.changes)
        journal.entries.push_back({f.path, f.path, f.before, {f.after.size(), digestOf(f.after)}});
    if (!app.journalFolder().isEmpty() && !recordRun(ctx_, journal) &&
        !ctx_.dialogs.confirm(ctx_.window, app.title(), app.msg(236)))
        return;

    // Each file's entry is marked as its rewrite lands: a run cut short
    // undoes what it did.  Afterwards the record keeps only the files that
    // were changed.
    std::vector<bool> landed(journal.entries.size(), false);
    const SubstituteOutcome out = applySubstitution(plan, [&](std::size_t i) {
        landed[i] = true;
        markRunEntryDone(ctx_, JournalKind::Substitute, i);
    });
    if (!app.journalFolder().isEmpty()) {
        Journal done{JournalKind::Substitute, {}};
        for (std::size_t i = 0; i < journal.entries.size(); ++i)
            if (landed[i]) {
                done.entries.push_back(std::move(journal.entries[i]));
                done.entries.back().done = true;
            }
        recordRun(ctx_, done);
    }
    BTdeshacer2->setEnabled(canUndo(ctx_, JournalKind::Substitute));
    reportFailures(out.failures);
}

}  // namespace zerlant::gui
