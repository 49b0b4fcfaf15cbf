#include "gui/language/languageeditor.hpp"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/screenfit.hpp"
#include "gui/language/printing.hpp"

namespace zerlant::gui {

namespace {

// 100 twips (the grid's margin) at the screen's 15 twips per pixel.
constexpr int kMarginPixels = 7;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The edit box of a cell: Enter writes the text and moves down a row (the
// view then opens the box there); on the last row the box just closes.
class CellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::function<void()> onEnter;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* editor = qobject_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (onEnter)
                    QTimer::singleShot(0, onEnter);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }
};

}  // namespace

LanguageEditor::LanguageEditor(const AppContext& app, const LanguageState& languages,
                               Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    setObjectName("frmIdioma");
    setWindowTitle(app_.msg(Msg::LanguageCaption));

    grid_ = new QTableWidget(this);
    grid_->setObjectName("MSFlexIdiomas");
    // A click opens the edit box on the cell (cellClicked below); typing
    // or F2 opens it on the current cell.
    grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setWordWrap(false);
    grid_->viewport()->installEventFilter(this);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* delegate = new CellDelegate(grid_);
    delegate->onEnter = [this] { enterPressed(); };
    grid_->setItemDelegate(delegate);
    connect(grid_, &QTableWidget::itemChanged, this, &LanguageEditor::cellChanged);
    connect(grid_, &QTableWidget::cellClicked, this,
            [this](int row, int col) { editCell(row + 1, col + 1); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { editCell(0, section + 1); });

    save_ = new QPushButton(app_.msg(Msg::Save), this);
    save_->setObjectName("btguardar");
    new_ = new QPushButton(app_.msg(Msg::NewLanguage), this);
    new_->setObjectName("btnuevo");
    print_ = new QPushButton(app_.msg(Msg::Print), this);
    print_->setObjectName("btimprimir");
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(new_, &QPushButton::clicked, this, &LanguageEditor::addLanguage);
    connect(print_, &QPushButton::clicked, this, &LanguageEditor::print);
    // Close (and Escape) ask about unsaved changes like the window's own
    // close button.
    close_ = new QPushButton(app_.msg(Msg::Close), this);
    close_->setObjectName("btcerrar");
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(save_);
    buttons->addWidget(new_);
    buttons->addWidget(print_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    assignMnemonics(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMarginPixels, kMarginPixels, kMarginPixels, kMarginPixels);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    question_ = [](QWidget* parent, const QString& title, const QString& text) {
        return QMessageBox::warning(parent, title, text,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                    QMessageBox::Yes);
    };

    auto model = LanguageEditorModel::open(languages);
    if (model) {
        model_ = std::move(model).value();
    } else {
        model_ = LanguageEditorModel::fromFile(LanguageFile(), languages);
        QTimer::singleShot(0, this, [this, text = qs(model.error().describe())] {
            dialogs_.message(this, Dialogs::Icon::Critical, app_.msg(Msg::LanguageCaption), text);
        });
    }
    fillGrid();
    resize(760, 520);
    fitOnScreen(this);
}

void LanguageEditor::fillGrid() {
    filling_ = true;
    const int rows = model_.rowCount() - 1;
    const int cols = model_.columnCount() - 1;
    grid_->clear();
    grid_->setRowCount(rows);
    grid_->setColumnCount(cols);
    QStringList keys;
    for (int r = 1; r <= rows; ++r) keys << qs(model_.cell(r, 0));
    grid_->setVerticalHeaderLabels(keys);
    for (int c = 1; c <= cols; ++c) {
        grid_->setHorizontalHeaderItem(c - 1, new QTableWidgetItem(qs(model_.cell(0, c))));
        styleHeading(c);
        for (int r = 1; r <= rows; ++r)
            grid_->setItem(r - 1, c - 1, new QTableWidgetItem(qs(model_.cell(r, c))));
    }
    filling_ = false;
    sizeColumns();
}

void LanguageEditor::styleHeading(int col) {
    QTableWidgetItem* item = grid_->horizontalHeaderItem(col - 1);
    if (item == nullptr)
        return;
    QFont font = grid_->horizontalHeader()->font();
    font.setBold(model_.isCurrentLanguage(col));
    item->setFont(font);
    item->setTextAlignment(Qt::AlignCenter);
}

void LanguageEditor::sizeColumns() {
    // At most four language columns share the width; more are reached by
    // scrolling.  A new column is as wide as the one before it.
    const int languages = model_.languageCount();
    if (languages <= 0)
        return;
    const int width = grid_->viewport()->width() - kMarginPixels;
    const int each = std::max(60, width / std::min(languages, 4));
    for (int c = 0; c < languages && c < grid_->columnCount(); ++c) grid_->setColumnWidth(c, each);
    if (model_.newColumn() > 0)
        grid_->setColumnWidth(model_.newColumn() - 1, each);
}

bool LanguageEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    return QWidget::eventFilter(watched, event);
}

void LanguageEditor::cellChanged(QTableWidgetItem* item) {
    if (filling_ || item == nullptr)
        return;
    model_.setCell(item->row() + 1, item->column() + 1, item->text().toStdString());
}

void LanguageEditor::editCell(int row, int col) {
    if (!model_.isEditable(row, col))
        return;
    if (row > 0) {
        grid_->setCurrentCell(row - 1, col - 1);
        grid_->editItem(grid_->item(row - 1, col - 1));
        return;
    }
    // The name of a new language is typed into its heading.
    QHeaderView* header = grid_->horizontalHeader();
    auto* box = new QLineEdit(header->viewport());
    box->setObjectName("txtidioma");
    box->setAlignment(Qt::AlignCenter);
    box->setText(qs(model_.cell(0, col)));
    const int section = col - 1;
    box->setGeometry(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                     header->height());
    connect(box, &QLineEdit::editingFinished, this, [this, box, col] {
        if (!box->isVisible())
            return;
        box->hide();
        if (model_.isEditable(0, col) && qs(model_.cell(0, col)) != box->text()) {
            model_.setCell(0, col, box->text().toStdString());
            if (QTableWidgetItem* item = grid_->horizontalHeaderItem(col - 1))
                item->setText(qs(model_.cell(0, col)));
        }
        box->deleteLater();
    });
    box->show();
    box->selectAll();
    box->setFocus();
}

void LanguageEditor::enterPressed() {
    const int row = grid_->currentRow();
    const int col = grid_->currentColumn();
    if (row < 0 || col < 0)
        return;
    // The last row hides the box; any other moves down and opens it there.
    if (row + 1 < grid_->rowCount())
        editCell(row + 2, col + 1);
}

void LanguageEditor::addLanguage() {
    const int col = model_.addLanguage();
    if (col < 0)
        return;
    filling_ = true;
    grid_->insertColumn(col - 1);
    grid_->setHorizontalHeaderItem(col - 1, new QTableWidgetItem(QString()));
    styleHeading(col);
    for (int r = 0; r < grid_->rowCount(); ++r)
        grid_->setItem(r, col - 1, new QTableWidgetItem(QString()));
    filling_ = false;
    sizeColumns();
    // Once the grid has laid the column out: show it and open its name box.
    QTimer::singleShot(0, this, [this, col] {
        if (model_.newColumn() != col)
            return;
        if (grid_->rowCount() > 0)
            grid_->scrollToItem(grid_->item(0, col - 1));
        editCell(0, col);
    });
}

bool LanguageEditor::save() {
    // A name still being typed belongs to the save.
    if (auto* box = grid_->horizontalHeader()->viewport()->findChild<QLineEdit*>("txtidioma");
        box != nullptr && box->isVisible())
        emit box->editingFinished();
    auto outcome = model_.save();
    if (!outcome) {
        dialogs_.message(this, Dialogs::Icon::Critical, app_.msg(Msg::LanguageCaption),
                         qs(outcome.error().describe()));
        return false;
    }
    switch (*outcome) {
        case LanguageEditorModel::SaveOutcome::NothingToSave:
            return true;
        case LanguageEditorModel::SaveOutcome::NewLanguageWithoutName:
            dialogs_.message(this, Dialogs::Icon::Critical, app_.msg(Msg::LanguageCaption),
                             app_.msg(Msg::NewLanguageUnnamed));
            editCell(0, model_.newColumn());
            return false;
        case LanguageEditorModel::SaveOutcome::Saved:
            break;
    }
    for (int c = 1; c < model_.columnCount(); ++c) styleHeading(c);
    emit languagesSaved(model_.state());
    return true;
}

void LanguageEditor::print() {
    printLanguageFile(this, model_.state().filePath, app_.lookup(), dialogs_);
}

void LanguageEditor::keyPressEvent(QKeyEvent* event) {
    // Reaches the window when no cell is being edited (the edit box takes
    // Escape itself to drop the edit).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LanguageEditor::closeEvent(QCloseEvent* event) {
    if (!model_.modified()) {
        event->accept();
        return;
    }
    const QString text =
        qs(languageEditorCloseQuestion(app_.liveLookup(), windowTitle().toStdString()));
    switch (question_(this, app_.msg(Msg::LanguageCaption), text)) {
        case QMessageBox::Yes:
            if (save()) {
                event->accept();
            } else {
                model_.clearSaveIncomplete();
                event->ignore();
            }
            return;
        case QMessageBox::No:
            event->accept();
            return;
        default:
            event->ignore();
            return;
    }
}

}  // namespace zerlant::gui
