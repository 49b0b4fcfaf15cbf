#include "gui/mainwindow/renamepanel.hpp"

#include <QButtonGroup>
#include <QCheckBox>
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
    : ToolPanel(context, Panel::Rename, "FRArenombrar", context.app.msg(52)) {
    const AppContext& app = context.app;
    auto* row = new QHBoxLayout(this);

    auto* rules = new QVBoxLayout;
    rules->setSpacing(2);
    OPToption = options(
        this, "OPToption",
        {app.msg(90), app.msg(91), app.msg(92), app.msg(93), app.msg(94), app.msg(95), app.msg(96)},
        rules);
    rules->addStretch(1);
    row->addLayout(rules);

    FRAoption = new QStackedWidget(this);
    FRAoption->setObjectName("FRAoption");
    FRAoption->addWidget(insertFrame());
    FRAoption->addWidget(deleteFrame());
    FRAoption->addWidget(removeFrame());
    FRAoption->addWidget(replaceFrame());
    FRAoption->addWidget(extensionFrame());
    FRAoption->addWidget(caseFrame());
    FRAoption->addWidget(numberFrame());
    row->addWidget(FRAoption, 1);

    BTpreview = makeButton("BTpreview", app.msg(121), picture(Picture::Preview));
    BTejecutar = makeButton("BTejecutar", app.msg(79), picture(Picture::Run));
    BTdeshacer =
        makeButton("BTdeshacer", app.msg(232),
                   QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)));
    BTdeshacer->setToolTip(app.msg(237));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BTpreview);
    buttons->addWidget(BTejecutar);
    buttons->addWidget(BTdeshacer);
    buttons->addStretch(1);
    row->addLayout(buttons);

    // Only the chosen rule's frame is visible.
    connect(OPToption, &QButtonGroup::idClicked, FRAoption, &QStackedWidget::setCurrentIndex);
    FRAoption->setCurrentIndex(0);

    for (QButtonGroup* g : {OPTinsertar, OPTdesde, OPThasta, OPTnum})
        connect(g, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                updateEnabled();
        });
    updateEnabled();

    connect(BTpreview, &QPushButton::clicked, this, &RenamePanel::preview);
    connect(BTejecutar, &QPushButton::clicked, this, &RenamePanel::execute);
    connect(BTdeshacer, &QPushButton::clicked, this, &RenamePanel::undo);
    BTdeshacer->setEnabled(canUndo(ctx_, JournalKind::Rename));
}

void RenamePanel::panelShown() {
    BTdeshacer->setEnabled(canUndo(ctx_, JournalKind::Rename));
}

void RenamePanel::undo() {
    undoLastRun(ctx_, JournalKind::Rename);
    BTdeshacer->setEnabled(canUndo(ctx_, JournalKind::Rename));
    // The list keeps the names it shows; the folder shows the disk.
    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

int RenamePanel::rule() const {
    return OPToption->checkedId();
}

void RenamePanel::updateEnabled() {
    const int insertAt = OPTinsertar->checkedId();
    CHKext->setEnabled(insertAt == 1);
    TXTinsertcont->setEnabled(insertAt == 2);

    const int from = OPTdesde->checkedId();
    TXTdesdecount->setEnabled(from == 0);
    TXTdesde->setEnabled(from == 1);

    const int to = OPThasta->checkedId();
    TXThastacount->setEnabled(to == 0);
    TXThasta->setEnabled(to == 1);

    const int numberAt = OPTnum->checkedId();
    CHKnext->setEnabled(numberAt == 1);
    TXTnumcont->setEnabled(numberAt == 2);
}

RenameOptions RenamePanel::renameOptions() const {
    auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
    auto number = [](const QSpinBox* s) { return std::to_string(s->value()); };
    RenameOptions o;
    o.rule = static_cast<RenameRule>(std::max(0, rule()));

    o.insertText = text(TXTinsertar);
    o.insertAt = static_cast<Placement>(OPTinsertar->checkedId());
    o.insertPosition = number(TXTinsertcont);
    o.insertKeepExtension = CHKext->isChecked();

    o.deleteFrom = static_cast<DeleteFrom>(OPTdesde->checkedId());
    o.deleteFromPosition = number(TXTdesdecount);
    o.deleteFromDelimiter = text(TXTdesde);
    o.deleteTo = static_cast<DeleteTo>(OPThasta->checkedId());
    o.deleteToCount = number(TXThastacount);
    o.deleteToDelimiter = text(TXThasta);
    o.deleteKeepExtension = CHKdext->isChecked();

    o.removeText = text(TXTquitar);
    o.removeWhich = static_cast<Occurrence>(OPTquitar->checkedId());

    o.replaceText = text(TXTreemp);
    o.replaceWith = text(TXTreemp1);
    o.replaceWhich = static_cast<Occurrence>(OPTreemp->checkedId());

    o.newExtension = text(TXText);

    o.caseChange = static_cast<CaseChange>(OPTmm->checkedId());
    o.caseKeepExtension = CHKmm->isChecked();

    o.numberStart = number(TXTinicont);
    o.numberWidth = number(TXTlencont);
    o.numberFill = text(TXTnum);
    o.numberAt = static_cast<Placement>(OPTnum->checkedId());
    o.numberPosition = number(TXTnumcont);
    o.numberKeepExtension = CHKnext->isChecked();
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
    const auto warnings = checkRenames(rows, o.rule, ctx_.app.lookup());
    ctx_.list.applyChecks(rows);
    for (const RenameWarning& w : warnings)
        ctx_.dialogs.message(ctx_.window, Dialogs::Icon::Critical, ctx_.app.title(),
                             QString::fromStdString(w.text));

    const FileRows before = rows;
    const auto failures = applyRenames(rows);
    // The record for Undo: every file that got a new name.
    Journal journal{JournalKind::Rename, {}};
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].path == before[r].path)
            continue;
        if (auto stamp = stampOf(rows[r].path, false))
            journal.entries.push_back({before[r].path, rows[r].path, {}, *stamp, true});
    }
    if (!journal.entries.empty())
        recordRun(ctx_, journal);
    BTdeshacer->setEnabled(canUndo(ctx_, JournalKind::Rename));
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

    if (auto* main = qobject_cast<MainWindow*>(ctx_.window))
        main->browser()->refresh();
}

QWidget* RenamePanel::insertFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption0");
    auto* grid = new QGridLayout(frame);
    TXTinsertar = edit(frame, "TXTinsertar");
    grid->addWidget(label(frame, "Label1", app.msg(97)), 0, 0);
    grid->addWidget(TXTinsertar, 0, 1, 1, 3);
    grid->addWidget(label(frame, "Label2", app.msg(98)), 1, 0, Qt::AlignTop);
    auto* where = new QVBoxLayout;
    where->setSpacing(2);
    OPTinsertar = options(frame, "OPTinsertar", {app.msg(99), app.msg(100), app.msg(101)}, where);
    grid->addLayout(where, 1, 1);
    TXTinsertcont = counter(frame, "TXTinsertcont");
    grid->addWidget(TXTinsertcont, 1, 2, Qt::AlignBottom);
    CHKext = check(frame, "CHKext", app.msg(102));
    grid->addWidget(CHKext, 2, 1, 1, 3);
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

    Frame1 = new QGroupBox(app.msg(103), frame);
    Frame1->setObjectName("Frame1");
    auto* from = new QGridLayout(Frame1);
    auto* fromOptions = new QVBoxLayout;
    fromOptions->setSpacing(2);
    OPTdesde = options(Frame1, "OPTdesde", {app.msg(101), app.msg(105)}, fromOptions);
    from->addLayout(fromOptions, 0, 0, 2, 1);
    TXTdesdecount = counter(Frame1, "TXTdesdecount");
    TXTdesde = edit(Frame1, "TXTdesde", "-");
    from->addWidget(TXTdesdecount, 0, 1);
    from->addWidget(TXTdesde, 1, 1);

    Frame2 = new QGroupBox(app.msg(104), frame);
    Frame2->setObjectName("Frame2");
    auto* to = new QGridLayout(Frame2);
    auto* toOptions = new QVBoxLayout;
    toOptions->setSpacing(2);
    OPThasta = options(Frame2, "OPThasta", {app.msg(106), app.msg(105), app.msg(107)}, toOptions);
    to->addLayout(toOptions, 0, 0, 3, 1);
    TXThastacount = counter(Frame2, "TXThastacount");
    TXThasta = edit(Frame2, "TXThasta", "-");
    to->addWidget(TXThastacount, 0, 1);
    to->addWidget(TXThasta, 1, 1);

    CHKdext = check(frame, "CHKdext", app.msg(102));
    grid->addWidget(Frame1, 0, 0);
    grid->addWidget(Frame2, 0, 1);
    grid->addWidget(CHKdext, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* RenamePanel::removeFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption2");
    auto* grid = new QGridLayout(frame);
    TXTquitar = edit(frame, "TXTquitar");
    grid->addWidget(label(frame, "Label3", app.msg(97)), 0, 0);
    grid->addWidget(TXTquitar, 0, 1);
    auto* which = new QVBoxLayout;
    which->setSpacing(2);
    OPTquitar = options(frame, "OPTquitar", {app.msg(108), app.msg(109), app.msg(110)}, which);
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
    TXTreemp = edit(frame, "TXTreemp");
    TXTreemp1 = edit(frame, "TXTreemp1");
    grid->addWidget(label(frame, "Label4", app.msg(97)), 0, 0);
    grid->addWidget(TXTreemp, 0, 1);
    grid->addWidget(label(frame, "Label5", app.msg(111)), 1, 0);
    grid->addWidget(TXTreemp1, 1, 1);
    auto* which = new QVBoxLayout;
    which->setSpacing(2);
    OPTreemp = options(frame, "OPTreemp", {app.msg(108), app.msg(109), app.msg(110)}, which);
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
    TXText = edit(frame, "TXText");
    TXText->setMaxLength(6);
    // Label7 names the box ("New extension:"); Label6 is the hint below it.
    auto* name = label(frame, "Label7", app.msg(112, ":"));
    name->setBuddy(TXText);
    grid->addWidget(name, 0, 0);
    grid->addWidget(TXText, 0, 1);
    auto* hint = label(frame, "Label6", app.msg(113));
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
    OPTmm =
        options(frame, "OPTmm", {app.msg(114), app.msg(115), app.msg(116), app.msg(117)}, column);
    CHKmm = check(frame, "CHKmm", app.msg(102));
    column->addWidget(CHKmm);
    column->addStretch(1);
    return frame;
}

QWidget* RenamePanel::numberFrame() {
    const AppContext& app = ctx_.app;
    auto* frame = new QWidget(this);
    frame->setObjectName("FRAoption6");
    auto* grid = new QGridLayout(frame);
    TXTinicont = counter(frame, "TXTinicont");
    TXTlencont = counter(frame, "TXTlencont");
    TXTnum = edit(frame, "TXTnum", "0");
    TXTnum->setMaxLength(1);
    grid->addWidget(label(frame, "Label9", app.msg(118, ":")), 0, 0);
    grid->addWidget(TXTinicont, 0, 1);
    grid->addWidget(label(frame, "Label10", app.msg(119, ":")), 1, 0);
    grid->addWidget(TXTlencont, 1, 1);
    grid->addWidget(label(frame, "Label11", app.msg(120, ":")), 2, 0);
    grid->addWidget(TXTnum, 2, 1);
    grid->addWidget(label(frame, "Label8", app.msg(98)), 0, 2, Qt::AlignTop);
    auto* where = new QVBoxLayout;
    where->setSpacing(2);
    OPTnum = options(frame, "OPTnum", {app.msg(99), app.msg(100), app.msg(101)}, where);
    grid->addLayout(where, 0, 3, 3, 1);
    TXTnumcont = counter(frame, "TXTnumcont");
    grid->addWidget(TXTnumcont, 2, 4, Qt::AlignBottom);
    CHKnext = check(frame, "CHKnext", app.msg(102));
    grid->addWidget(CHKnext, 3, 3, 1, 2);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(4, 1);
    return frame;
}

}  // namespace zerlant::gui
