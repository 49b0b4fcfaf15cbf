#include "gui/mainwindow/workinglistview.hpp"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QUrl>

#include "gui/mainwindow/filelistmodel.hpp"

namespace zerlant::gui {

namespace {

constexpr int kCheckColumnWidth = 30;

QStringList localFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile())
            files << info.absoluteFilePath();
    }
    return files;
}

}  // namespace

CheckHeader::CheckHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

void CheckHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (logicalIndex != 0 || model() == nullptr)
        return;
    QStyleOptionButton option;
    const QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    option.rect = QRect(rect.x() + (rect.width() - box.width()) / 2,
                        rect.y() + (rect.height() - box.height()) / 2, box.width(), box.height());
    option.state = QStyle::State_Enabled;
    const bool on =
        model()->headerData(0, Qt::Horizontal, Qt::CheckStateRole).toInt() == Qt::Checked;
    option.state |= on ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, this);
}

void CheckHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && logicalIndexAt(event->position().toPoint()) == 0) {
        emit switchAllRequested();
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

WorkingListView::WorkingListView(QWidget* parent) : QTableView(parent) {
    setObjectName("MSFGfile");
    header_ = new CheckHeader(this);
    header_->setObjectName("MSFGfileHeader");
    setHorizontalHeader(header_);
    // The heading row is part of the list: a press on it counts as a click.
    connect(header_, &QHeaderView::sectionPressed, this, &WorkingListView::clickedInList);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    viewport()->setAcceptDrops(true);
}

void WorkingListView::setFileModel(FileListModel* model) {
    model_ = model;
    setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &WorkingListView::fitColumns);
    connect(model, &QAbstractItemModel::headerDataChanged, header_,
            [this] { header_->viewport()->update(); });
    // Added files leave the current cell on the last one's name, so that
    // Enter or Space toggles it.
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int, int last) { setCurrentIndex(model_->index(last, 1)); });
    fitColumns();
}

void WorkingListView::fitColumns() {
    if (model_ == nullptr)
        return;
    const int columns = model_->columnCount();
    header_->setMinimumSectionSize(kCheckColumnWidth);
    header_->setSectionResizeMode(0, QHeaderView::Fixed);
    header_->resizeSection(0, kCheckColumnWidth);
    for (int c = 1; c < columns; ++c) header_->setSectionResizeMode(c, QHeaderView::Stretch);
}

void WorkingListView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (model_ != nullptr &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        const QModelIndex current = currentIndex();
        if (current.isValid())
            model_->toggle(static_cast<std::size_t>(current.row()) + 1);
        event->accept();
        return;
    }
    if (model_ != nullptr && key == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        QList<int> rows;
        for (const QModelIndex& index : selectionModel()->selectedRows()) rows << index.row();
        if (rows.isEmpty() && currentIndex().isValid())
            rows << currentIndex().row();
        if (!rows.isEmpty())
            emit removeSelectedRequested(rows);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void WorkingListView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    // A press anywhere in the check cell toggles it.
    if (model_ != nullptr && event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && index.column() == 0)
            model_->toggle(static_cast<std::size_t>(index.row()) + 1);
    }
    emit clickedInList();
}

void WorkingListView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

void WorkingListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void WorkingListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void WorkingListView::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(files);
}

}  // namespace zerlant::gui
