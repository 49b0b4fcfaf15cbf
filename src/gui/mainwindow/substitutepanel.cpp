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
#include "gui/app/messages.hpp"
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
    : ToolPanel(context, Panel::Substitute, "FRAsustituir", context.app.msg(Msg::ToolSubstitute)) {
    const AppContext& app = context.app;
    auto* label13 = new QLabel(app.msg(Msg::ReplaceThisText, "..."), this);
    label13->setObjectName("Label13");
    auto* label14 = new QLabel(app.msg(Msg::WithThisText, "..."), this);
    label14->setObjectName("Label14");
    // The captions wrap rather than widen a narrow window.
    label13->setWordWrap(true);
    label14->setWordWrap(true);
    blockFrom = block(this, "RTBorigen");
    blockTo = block(this, "RTBdestino");
    pasteFromButton = makeButton("BTPasteOrigen", app.msg(Msg::Paste), picture(Picture::Paste));
    pasteToButton = makeButton("BTpastedestino", app.msg(Msg::Paste), picture(Picture::Paste));
    runButton = makeButton("BTejecutar2", app.msg(Msg::Run), picture(Picture::Run));
    undoButton =
        makeButton("BTdeshacer2", app.msg(Msg::Undo),
                   QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)));
    undoButton->setToolTip(app.msg(Msg::UndoTip));

    occurrenceChoice = new QButtonGroup(this);
    occurrenceChoice->setObjectName("OPTsustituir");
    auto* every = new QRadioButton(app.msg(Msg::EveryOccurrence), this);
    every->setObjectName("OPTsustituir0");
    auto* first = new QRadioButton(app.msg(Msg::OnlyFirstOccurrence), this);
    first->setObjectName("OPTsustituir1");
    occurrenceChoice->addButton(every, 0);
    occurrenceChoice->addButton(first, 1);
    every->setChecked(true);

    auto* grid = new QGridLayout;
    auto* originHead = new QHBoxLayout;
    originHead->addWidget(label13, 1);
    originHead->addWidget(pasteFromButton);
    auto* targetHead = new QHBoxLayout;
    targetHead->addWidget(label14, 1);
    targetHead->addWidget(pasteToButton);
    grid->addLayout(originHead, 0, 0);
    grid->addLayout(targetHead, 0, 1);
    grid->addWidget(blockFrom, 1, 0);
    grid->addWidget(blockTo, 1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(every);
    side->addWidget(first);
    side->addStretch(1);
    side->addWidget(runButton);
    side->addWidget(undoButton);

    auto* row = new QHBoxLayout(this);
    row->addLayout(grid, 1);
    row->addLayout(side);

    // The paste buttons take the clipboard's text as the whole block.
    connect(pasteFromButton, &QPushButton::clicked, this,
            [this] { blockFrom->setPlainText(QGuiApplication::clipboard()->text()); });
    connect(pasteToButton, &QPushButton::clicked, this,
            [this] { blockTo->setPlainText(QGuiApplication::clipboard()->text()); });
    connect(runButton, &QPushButton::clicked, this, &SubstitutePanel::execute);
    connect(undoButton, &QPushButton::clicked, this, &SubstitutePanel::undo);
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::panelShown() {
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::undo() {
    undoLastRun(ctx_, JournalKind::Substitute);
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Substitute));
}

void SubstitutePanel::execute() {
    SubstituteOptions options;
    options.from = blockFrom->toPlainText().toStdString();
    options.to = blockTo->toPlainText().toStdString();
    options.firstOnly = occurrenceChoice->checkedId() == 1;
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
        ctx_.showStatus(app.msg(Msg::BlockNotFound));
        if (plan.ticked > plan.failures.size())
            ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Information, app.title(),
                                 app.msg(Msg::BlockNotFound));
        reportFailures(plan.failures);
        return;
    }
    const QString question = app.msg(Msg::SubstituteQuestion)
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
        !ctx_.dialogs.confirm(ctx_.window, app.title(), app.msg(Msg::JournalNotSaved)))
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
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Substitute));
    reportFailures(out.failures);
    const QString done = app.msg(Msg::SubstituteDone)
                             .arg(static_cast<qulonglong>(out.changed))
                             .arg(static_cast<qulonglong>(plan.ticked));
    ctx_.showStatus(done);
    ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Information, app.title(), done);
}

}  // namespace zerlant::gui
