#include "gui/mainwindow/renamepanel.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "core/files/paths.hpp"
#include "core/rename/renamerun.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"
#include "gui/app/messages.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/undojournal.hpp"

namespace zerlant::gui {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text = {}) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

// A number box with its up-down: 1 to 1000, counting by 1.
QSpinBox* counter(QWidget* parent, const char* name) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(1, 1000);
    s->setValue(1);
    return s;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

// An option array: buttons named name0, name1, ... with the first selected.
QButtonGroup* options(QWidget* parent, const char* name, const QList<QString>& captions,
                      QBoxLayout* into) {
    auto* group = new QButtonGroup(parent);
    group->setObjectName(QString::fromLatin1(name));
    int id = 0;
    for (const QString& caption : captions) {
        auto* b = new QRadioButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name) + QString::number(id));
        group->addButton(b, id);
        into->addWidget(b);
        ++id;
    }
    group->button(0)->setChecked(true);
    return group;
}

}  // namespace

RenamePanel::RenamePanel(PanelContext& context)
    : ToolPanel(context, Panel::Rename, "FRArenombrar", context.app.msg(Msg::ToolRename)) {
    const AppContext& app = context.app;
    auto* content = new QWidget(this);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);

    auto* rules = new QVBoxLayout;
    rules->setSpacing(2);
    ruleChoice =
        options(content, "OPToption",
                {app.msg(Msg::RuleInsert), app.msg(Msg::RuleDelete), app.msg(Msg::RuleRemove),
                 app.msg(Msg::RuleReplace), app.msg(Msg::RuleExtension), app.msg(Msg::RuleCase),
                 app.msg(Msg::RuleNumber)},
                rules);
    rules->addStretch(1);
    row->addLayout(rules);

    ruleFrames = new QStackedWidget(content);
    ruleFrames->setObjectName("FRAoption");
    ruleFrames->addWidget(insertFrame());
    ruleFrames->addWidget(deleteFrame());
    ruleFrames->addWidget(removeFrame());
    ruleFrames->addWidget(replaceFrame());
    ruleFrames->addWidget(extensionFrame());
    ruleFrames->addWidget(caseFrame());
    ruleFrames->addWidget(numberFrame());
    row->addWidget(ruleFrames, 1);

    previewButton = makeButton("BTpreview", app.msg(Msg::Preview), picture(Picture::Preview));
    runButton = makeButton("BTejecutar", app.msg(Msg::Run), picture(Picture::Run));
    undoButton =
        makeButton("BTdeshacer", app.msg(Msg::Undo),
                   QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)));
    undoButton->setToolTip(app.msg(Msg::UndoTip));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(previewButton);
    buttons->addWidget(runButton);
    buttons->addWidget(undoButton);
    buttons->addStretch(1);
    placeBesideButtons(content, buttons);

    // Only the chosen rule's frame is visible.
    connect(ruleChoice, &QButtonGroup::idClicked, ruleFrames, &QStackedWidget::setCurrentIndex);
    ruleFrames->setCurrentIndex(0);

    for (QButtonGroup* g : {insertWhere, deleteFrom, deleteTo, numberWhere})
        connect(g, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                updateEnabled();
        });
    updateEnabled();

    connect(previewButton, &QPushButton::clicked, this, &RenamePanel::preview);
    connect(runButton, &QPushButton::clicked, this, &RenamePanel::execute);
    connect(undoButton, &QPushButton::clicked, this, &RenamePanel::undo);
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Rename));
}

void RenamePanel::panelShown() {
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Rename));
}

void RenamePanel::undo() {
    const std::vector<JournalEntry> restored = undoLastRun(ctx_, JournalKind::Rename);
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Rename));
    // Entries of the list that carry a name put back take their former name
    // again, so that the next run finds its files.
    for (const JournalEntry& e : restored) {
        const QString now = QString::fromStdString(e.newPath);
        for (std::size_t r = 1; r <= ctx_.list.entryCount(); ++r) {
            if (ctx_.list.path(r) != now)
                continue;
            const QString former = QString::fromStdString(e.path);
            ctx_.list.setEntry(r, QFileInfo(former).fileName(), former);
            ctx_.list.setNewName(r, {});
        }
    }
    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

int RenamePanel::rule() const {
    return ruleChoice->checkedId();
}

void RenamePanel::updateEnabled() {
    const int insertAt = insertWhere->checkedId();
    insertKeepExtension->setEnabled(insertAt == 1);
    insertPosition->setEnabled(insertAt == 2);

    const int from = deleteFrom->checkedId();
    deleteFromPosition->setEnabled(from == 0);
    deleteFromDelimiter->setEnabled(from == 1);

    const int to = deleteTo->checkedId();
    deleteToCount->setEnabled(to == 0);
    deleteToDelimiter->setEnabled(to == 1);

    const int numberAt = numberWhere->checkedId();
    numberKeepExtension->setEnabled(numberAt == 1);
    numberPosition->setEnabled(numberAt == 2);
}

RenameOptions RenamePanel::renameOptions() const {
    auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
    auto number = [](const QSpinBox* s) { return std::to_string(s->value()); };
    RenameOptions o;
    o.rule = static_cast<RenameRule>(std::max(0, rule()));

    o.insertText = text(insertText);
    o.insertAt = static_cast<Placement>(insertWhere->checkedId());
    o.insertPosition = number(insertPosition);
    o.insertKeepExtension = insertKeepExtension->isChecked();

    o.deleteFrom = static_cast<DeleteFrom>(deleteFrom->checkedId());
    o.deleteFromPosition = number(deleteFromPosition);
    o.deleteFromDelimiter = text(deleteFromDelimiter);
    o.deleteTo = static_cast<DeleteTo>(deleteTo->checkedId());
    o.deleteToCount = number(deleteToCount);
    o.deleteToDelimiter = text(deleteToDelimiter);
    o.deleteKeepExtension = deleteKeepExtension->isChecked();

    o.removeText = text(removeText);
    o.removeWhich = static_cast<Occurrence>(removeWhich->checkedId());

    o.replaceText = text(replaceText);
    o.replaceWith = text(replaceWith);
    o.replaceWhich = static_cast<Occurrence>(replaceWhich->checkedId());

    o.newExtension = text(newExtension);

    o.caseChange = static_cast<CaseChange>(caseChoice->checkedId());
    o.caseKeepExtension = caseKeepExtension->isChecked();

    o.numberStart = number(numberStart);
    o.numberWidth = number(numberWidth);
    o.numberFill = text(numberFill);
    o.numberAt = static_cast<Placement>(numberWhere->checkedId());
    o.numberPosition = number(numberPosition);
    o.numberKeepExtension = numberKeepExtension->isChecked();
    return o;
}

void RenamePanel::preview() {
    FileRows rows = ctx_.list.list().rows();
    zerlant::preview(renameOptions(), rows);
    for (std::size_t r = 1; r < rows.size(); ++r)
        ctx_.list.setNewName(r, QString::fromStdString(rows[r].newName));
}

void RenamePanel::execute() {
    preview();
    const RenameOptions o = renameOptions();
    FileRows rows = ctx_.list.list().rows();

    // The checks leave rows out, each kind with its own box; the remaining
    // rows are renamed once the boxes are closed.
    std::size_t ticked = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) ticked += rows[r].checked ? 1 : 0;
    const auto warnings = checkRenames(rows, o.rule, ctx_.app.lookup());
    ctx_.list.applyChecks(rows);
    for (const RenameWarning& w : warnings)
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             QString::fromStdString(w.text));

    const FileRows before = rows;
    const auto failures = applyRenames(rows);
    // The record for Undo: every file that got a new name.
    Journal journal{JournalKind::Rename, {}};
    std::size_t renamed = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].path == before[r].path)
            continue;
        ++renamed;
        if (auto stamp = stampOf(rows[r].path, false))
            journal.entries.push_back({before[r].path, rows[r].path, {}, *stamp, true});
    }
    if (!journal.entries.empty())
        recordRun(ctx_, journal);
    undoButton->setEnabled(canUndo(ctx_, JournalKind::Rename));
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const FileRow& row = rows[r];
        if (QString::fromStdString(row.path) != ctx_.list.path(r))
            ctx_.list.setEntry(r, QString::fromStdString(row.name),
                               QString::fromStdString(row.path));
        ctx_.list.setNewName(r, QString::fromStdString(row.newName));
    }
    // A rename the system refused: the file keeps its name, the next rows
    // were still done.
    if (!failures.empty()) {
        QStringList lines;
        for (const RenameFailure& f : failures)
            lines << QString::fromUtf8("%1 \u2192 %2: %3")
                         .arg(QString::fromStdString(f.from),
                              QString::fromStdString(nombredearchivo(f.to, true)),
                              QString::fromStdString(f.reason));
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             lines.join(QLatin1Char('\n')));
    }
    // What was done, in the status bar and in a short box.
    const QString done = ctx_.app.msg(Msg::RenameDone)
                             .arg(static_cast<qulonglong>(renamed))
                             .arg(static_cast<qulonglong>(ticked));
    ctx_.showStatus(done);
    ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Information, ctx_.app.title(), done);

    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

QWidget* RenamePanel::insertFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption0");
    auto* grid = new QGridLayout(frame);
    insertText = edit(frame, "TXTinsertar");
    grid->addWidget(label(frame, "Label1", app.msg(Msg::What)), 0, 0);
    grid->addWidget(insertText, 0, 1, 1, 3);
    grid->addWidget(label(frame, "Label2", app.msg(Msg::Where)), 1, 0, Qt::AlignTop);
    auto* where = new QVBoxLayout;
    where->setSpacing(2);
    insertWhere =
        options(frame, "OPTinsertar",
                {app.msg(Msg::Prefix), app.msg(Msg::Suffix), app.msg(Msg::Position)}, where);
    grid->addLayout(where, 1, 1);
    insertPosition = counter(frame, "TXTinsertcont");
    grid->addWidget(insertPosition, 1, 2, Qt::AlignBottom);
    insertKeepExtension = check(frame, "CHKext", app.msg(Msg::KeepExtension));
    grid->addWidget(insertKeepExtension, 2, 1, 1, 3);
    // The position box stands beside its option.
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    return frame;
}

QWidget* RenamePanel::deleteFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption1");
    auto* grid = new QGridLayout(frame);

    deleteFromFrame = new QGroupBox(app.msg(Msg::From), frame);
    deleteFromFrame->setObjectName("Frame1");
    auto* from = new QGridLayout(deleteFromFrame);
    auto* fromOptions = new QVBoxLayout;
    fromOptions->setSpacing(2);
    deleteFrom = options(deleteFromFrame, "OPTdesde",
                         {app.msg(Msg::Position), app.msg(Msg::Delimiter)}, fromOptions);
    from->addLayout(fromOptions, 0, 0, 2, 1);
    deleteFromPosition = counter(deleteFromFrame, "TXTdesdecount");
    deleteFromDelimiter = edit(deleteFromFrame, "TXTdesde", "-");
    from->addWidget(deleteFromPosition, 0, 1);
    from->addWidget(deleteFromDelimiter, 1, 1);

    deleteToFrame = new QGroupBox(app.msg(Msg::To), frame);
    deleteToFrame->setObjectName("Frame2");
    auto* to = new QGridLayout(deleteToFrame);
    auto* toOptions = new QVBoxLayout;
    toOptions->setSpacing(2);
    deleteTo =
        options(deleteToFrame, "OPThasta",
                {app.msg(Msg::Count), app.msg(Msg::Delimiter), app.msg(Msg::ToTheEnd)}, toOptions);
    to->addLayout(toOptions, 0, 0, 3, 1);
    deleteToCount = counter(deleteToFrame, "TXThastacount");
    deleteToDelimiter = edit(deleteToFrame, "TXThasta", "-");
    to->addWidget(deleteToCount, 0, 1);
    to->addWidget(deleteToDelimiter, 1, 1);

    deleteKeepExtension = check(frame, "CHKdext", app.msg(Msg::KeepExtension));
    grid->addWidget(deleteFromFrame, 0, 0);
    grid->addWidget(deleteToFrame, 0, 1);
    grid->addWidget(deleteKeepExtension, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* RenamePanel::removeFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption2");
    auto* grid = new QGridLayout(frame);
    removeText = edit(frame, "TXTquitar");
    grid->addWidget(label(frame, "Label3", app.msg(Msg::What)), 0, 0);
    grid->addWidget(removeText, 0, 1);
    auto* which = new QVBoxLayout;
    which->setSpacing(2);
    removeWhich = options(
        frame, "OPTquitar",
        {app.msg(Msg::AllOccurrences), app.msg(Msg::FirstOccurrence), app.msg(Msg::LastOccurrence)},
        which);
    grid->addLayout(which, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* RenamePanel::replaceFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption3");
    auto* grid = new QGridLayout(frame);
    replaceText = edit(frame, "TXTreemp");
    replaceWith = edit(frame, "TXTreemp1");
    grid->addWidget(label(frame, "Label4", app.msg(Msg::What)), 0, 0);
    grid->addWidget(replaceText, 0, 1);
    grid->addWidget(label(frame, "Label5", app.msg(Msg::With)), 1, 0);
    grid->addWidget(replaceWith, 1, 1);
    auto* which = new QVBoxLayout;
    which->setSpacing(2);
    replaceWhich = options(
        frame, "OPTreemp",
        {app.msg(Msg::AllOccurrences), app.msg(Msg::FirstOccurrence), app.msg(Msg::LastOccurrence)},
        which);
    which->addStretch(1);
    grid->addLayout(which, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* RenamePanel::extensionFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption4");
    auto* grid = new QGridLayout(frame);
    newExtension = edit(frame, "TXText");
    newExtension->setMaxLength(6);
    // Label7 names the box ("New extension:"); Label6 is the hint below it.
    auto* name = label(frame, "Label7", app.msg(Msg::NewExtension, ":"));
    name->setBuddy(newExtension);
    grid->addWidget(name, 0, 0);
    grid->addWidget(newExtension, 0, 1);
    auto* hint = label(frame, "Label6", app.msg(Msg::ExtensionHint));
    hint->setWordWrap(true);
    grid->addWidget(hint, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* RenamePanel::caseFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption5");
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(2);
    caseChoice = options(frame, "OPTmm",
                         {app.msg(Msg::AllCapitals), app.msg(Msg::AllLowerCase),
                          app.msg(Msg::TitleCase), app.msg(Msg::InvertCase)},
                         column);
    caseKeepExtension = check(frame, "CHKmm", app.msg(Msg::KeepExtension));
    column->addWidget(caseKeepExtension);
    column->addStretch(1);
    return frame;
}

QWidget* RenamePanel::numberFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption6");
    auto* grid = new QGridLayout(frame);
    numberStart = counter(frame, "TXTinicont");
    numberWidth = counter(frame, "TXTlencont");
    numberFill = edit(frame, "TXTnum", "0");
    numberFill->setMaxLength(1);
    grid->addWidget(label(frame, "Label9", app.msg(Msg::StartAt, ":")), 0, 0);
    grid->addWidget(numberStart, 0, 1);
    grid->addWidget(label(frame, "Label10", app.msg(Msg::Width, ":")), 1, 0);
    grid->addWidget(numberWidth, 1, 1);
    grid->addWidget(label(frame, "Label11", app.msg(Msg::FillWith, ":")), 2, 0);
    grid->addWidget(numberFill, 2, 1);
    grid->addWidget(label(frame, "Label8", app.msg(Msg::Where)), 0, 2, Qt::AlignTop);
    auto* where = new QVBoxLayout;
    where->setSpacing(2);
    numberWhere =
        options(frame, "OPTnum",
                {app.msg(Msg::Prefix), app.msg(Msg::Suffix), app.msg(Msg::Position)}, where);
    grid->addLayout(where, 0, 3, 3, 1);
    numberPosition = counter(frame, "TXTnumcont");
    grid->addWidget(numberPosition, 2, 4, Qt::AlignBottom);
    numberKeepExtension = check(frame, "CHKnext", app.msg(Msg::KeepExtension));
    grid->addWidget(numberKeepExtension, 3, 3, 1, 2);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(4, 1);
    return frame;
}

}  // namespace zerlant::gui
