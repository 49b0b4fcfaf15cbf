#include "gui/results/tablemodel.hpp"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QItemSelectionModel>
#include <algorithm>
#include <set>

#include "core/plotdata/numbertext.hpp"

namespace zerlant::gui {

namespace {

bool isErrorText(const std::string& s) {
    return s == "Error" || s == "KO";
}

}  // namespace

ResultTableModel::ResultTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultTableModel::setTable(Table table, std::vector<QString> rowFiles,
                                const QString& notAvailable, char decimalSeparator) {
    beginResetModel();
    table_ = std::move(table);
    rowFiles_ = std::move(rowFiles);
    headerTips_.clear();
    notAvailable_ = notAvailable;
    decimal_ = decimalSeparator;
    errorRows_.assign(table_.rows() > 0 ? table_.rows() - 1 : 0, false);
    for (std::size_t r = 1; r < table_.rows(); ++r)
        for (std::size_t c = 0; c < table_.columns(); ++c)
            if (isErrorText(table_.cell(c, r))) {
                errorRows_[r - 1] = true;
                break;
            }
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || table_.rows() == 0 ? 0 : static_cast<int>(table_.rows() - 1);
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns());
}

bool ResultTableModel::isErrorRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < errorRows_.size() && errorRows_[row];
}

void ResultTableModel::markErrorRows(const std::vector<bool>& rows) {
    for (std::size_t r = 0; r < rows.size() && r < errorRows_.size(); ++r)
        errorRows_[r] = errorRows_[r] || rows[r];
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
}

void ResultTableModel::setHeaderToolTips(std::vector<QString> tips) {
    headerTips_ = std::move(tips);
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void ResultTableModel::setTitleRows(std::vector<bool> rows) {
    beginResetModel();
    titleRows_ = std::move(rows);
    endResetModel();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto r = static_cast<std::size_t>(index.row()) + 1;
    const auto c = static_cast<std::size_t>(index.column());
    const std::string& cell = table_.cell(c, r);
    const auto number = plotdata::numberIn(cell);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            QString text = QString::fromStdString(cell);
            if (number)
                text.replace(decimal_ == ',' ? QLatin1Char('.') : QLatin1Char(','),
                             QLatin1Char(decimal_));
            return text;
        }
        case Qt::ToolTipRole:  // a text cut short by its column is read in full here
            return number || cell.empty() ? QVariant() : QVariant(QString::fromStdString(cell));
        case Qt::TextAlignmentRole:
            return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (isErrorText(cell))
                return QBrush(QColor(0xb0, 0x00, 0x20));
            if (!notAvailable_.isEmpty() && QString::fromStdString(cell) == notAvailable_)
                return QBrush(QColor(0x80, 0x80, 0x80));
            return {};
        case Qt::BackgroundRole:
            if (static_cast<std::size_t>(index.row()) < titleRows_.size() &&
                titleRows_[index.row()])
                return QBrush(QColor(0xe4, 0xe8, 0xee));
            if (isErrorRow(index.row()))
                return QBrush(QColor(0xfd, 0xe2, 0xe2));
            return {};
        case Qt::FontRole:
            if (static_cast<std::size_t>(index.row()) < titleRows_.size() &&
                titleRows_[index.row()]) {
                QFont f;
                f.setBold(true);
                return f;
            }
            if (!notAvailable_.isEmpty() && QString::fromStdString(cell) == notAvailable_) {
                QFont f;
                f.setItalic(true);
                return f;
            }
            return {};
        case FileRole:
            return static_cast<std::size_t>(index.row()) < rowFiles_.size() ? rowFiles_[index.row()]
                                                                            : QString();
        case NumberRole:
            return number ? QVariant(*number) : QVariant();
        default:
            return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section >= 0 &&
        static_cast<std::size_t>(section) < headerTips_.size() && !headerTips_[section].isEmpty())
        return headerTips_[section];
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QString::fromStdString(table_.cell(static_cast<std::size_t>(section), 0));
}

void ResultSortProxy::setFile(const QString& file) {
    file_ = file;
    invalidateFilter();
}

bool ResultSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(ResultTableModel::NumberRole);
    const QVariant b = right.data(ResultTableModel::NumberRole);
    if (a.isValid() && b.isValid())
        return a.toDouble() < b.toDouble();
    if (a.isValid() != b.isValid())  // text and empty cells after the numbers, either way
        return sortOrder() == Qt::AscendingOrder ? a.isValid() : b.isValid();
    return QString::localeAwareCompare(left.data().toString(), right.data().toString()) < 0;
}

bool ResultSortProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (file_.isEmpty())
        return true;
    return sourceModel()->index(sourceRow, 0, sourceParent).data(ResultTableModel::FileRole) ==
           file_;
}

QString selectionAsTsv(const QAbstractItemModel& model, const QItemSelectionModel& selection) {
    const QModelIndexList cells = selection.selectedIndexes();
    if (cells.isEmpty())
        return {};
    std::set<int> rows, columns;
    for (const QModelIndex& i : cells) {
        rows.insert(i.row());
        columns.insert(i.column());
    }
    auto clean = [](QString s) {
        s.replace(QLatin1Char('\t'), QLatin1Char(' '));
        s.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return s;
    };
    QStringList lines;
    QStringList header;
    for (int c : columns) header << clean(model.headerData(c, Qt::Horizontal).toString());
    lines << header.join(QLatin1Char('\t'));
    for (int r : rows) {
        QStringList fields;
        for (int c : columns) {
            const QModelIndex i = model.index(r, c);
            fields << (selection.isSelected(i) ? clean(i.data().toString()) : QString());
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace zerlant::gui
