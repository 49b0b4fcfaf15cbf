#include "gui/results/tablemodel.hpp"

#include <QBrush>
#include <QCollator>
#include <QColor>
#include <QFont>
#include <QItemSelectionModel>
#include <algorithm>
#include <set>
#include <variant>

namespace zerlant::gui {

namespace {

bool isErrorText(const CellValue& v) {
    const std::string* s = std::get_if<std::string>(&v);
    return s && (*s == "Error" || *s == "KO");
}

// Case-insensitive, runs of digits by their value: "job2" before "job10".
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && a[ie] == '0') ++ie;
            while (je < b.size() && b[je] == '0') ++je;
            std::size_t ia = ie, jb = je;
            while (ia < a.size() && digit(a[ia])) ++ia;
            while (jb < b.size() && digit(b[jb])) ++jb;
            if (ia - ie != jb - je)
                return ia - ie < jb - je;
            const int c = a.compare(ie, ia - ie, b, je, jb - je);
            if (c != 0)
                return c < 0;
            i = ia;
            j = jb;
            continue;
        }
        const char x = lower(a[i]), y = lower(b[j]);
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

bool isEmpty(const CellValue& v) {
    const std::string* s = std::get_if<std::string>(&v);
    return std::holds_alternative<std::monostate>(v) || (s && s->empty());
}

}  // namespace

ResultTableModel::ResultTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultTableModel::setView(ViewTable view, const QString& notAvailable, char decimalSeparator) {
    beginResetModel();
    view_ = std::move(view);
    notAvailable_ = notAvailable;
    format_ = CellFormat{decimalSeparator, notAvailable.toStdString()};
    sortKeys_.assign(view_.columns.size(), std::nullopt);
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(view_.rows());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(view_.columns.size());
}

bool ResultTableModel::isErrorRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < view_.rows() &&
           view_.rowKinds[row] == ViewRow::Error;
}

void ResultTableModel::setTitleRows(const std::vector<bool>& rows) {
    for (std::size_t r = 0; r < rows.size() && r < view_.rows(); ++r)
        if (rows[r])
            view_.rowKinds[r] = ViewRow::Titles;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString ResultTableModel::text(int row, int column) const {
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    if (r < view_.texts.size() && c < view_.texts[r].size())
        return QString::fromStdString(view_.texts[r][c]);
    return QString::fromStdString(
        formatShown(view_.cells[r][c], view_.columns[c].precision, format_));
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto r = static_cast<std::size_t>(index.row());
    const auto c = static_cast<std::size_t>(index.column());
    const CellValue& cell = view_.cells[r][c];
    const ViewRow kind = view_.rowKinds[r];
    const std::optional<double> number = sortNumber(cell);
    const bool missing = std::holds_alternative<std::monostate>(cell);
    switch (role) {
        case Qt::DisplayRole:
            return text(index.row(), index.column());
        case Qt::EditRole:
            return number ? QVariant(*number) : QVariant(text(index.row(), index.column()));
        case Qt::ToolTipRole: {
            // A number shown rounded is read in full here, a text cut short
            // by its column too.
            if (std::holds_alternative<double>(cell)) {
                const QString full = QString::fromStdString(formatCell(cell, format_));
                return full != text(index.row(), index.column()) ? QVariant(full) : QVariant();
            }
            const QString shown = text(index.row(), index.column());
            return number || shown.isEmpty() || missing ? QVariant() : QVariant(shown);
        }
        case Qt::TextAlignmentRole:
            return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (isErrorText(cell))
                return QBrush(QColor(0xb0, 0x00, 0x20));
            if (missing || kind == ViewRow::Skipped)
                return QBrush(QColor(0x80, 0x80, 0x80));
            return {};
        case Qt::BackgroundRole:
            if (kind == ViewRow::Titles)
                return QBrush(QColor(0xe4, 0xe8, 0xee));
            if (kind == ViewRow::Error)
                return QBrush(QColor(0xfd, 0xe2, 0xe2));
            return {};
        case Qt::FontRole:
            if (kind == ViewRow::Titles || (missing && !notAvailable_.isEmpty())) {
                QFont f;
                f.setBold(kind == ViewRow::Titles);
                f.setItalic(kind != ViewRow::Titles);
                return f;
            }
            return {};
        case FileRole:
            return QString::fromStdString(view_.rowFiles[r]);
        case NumberRole:
            return number ? QVariant(*number) : QVariant();
        default:
            return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || static_cast<std::size_t>(section) >= view_.columns.size())
        return {};
    const ViewColumn& column = view_.columns[section];
    const QString unit = QString::fromStdString(column.unit);
    if (role == Qt::DisplayRole) {
        // The unit on a line of its own keeps the columns narrow.
        const QString title = QString::fromStdString(column.title);
        return unit.isEmpty() ? title : title + QStringLiteral("\n(") + unit + ')';
    }
    if (role == Qt::ToolTipRole && !column.tip.empty()) {
        const QString tip = QString::fromStdString(column.tip);
        return unit.isEmpty() ? tip : tip + QStringLiteral(" (") + unit + ')';
    }
    return {};
}

const ResultTableModel::SortKeys& ResultTableModel::sortKeys(int column) const {
    std::optional<SortKeys>& keys = sortKeys_[static_cast<std::size_t>(column)];
    if (keys)
        return *keys;
    keys.emplace();
    const std::size_t rows = view_.rows();
    keys->numbers.reserve(rows);
    std::vector<std::string> texts(rows);
    std::vector<int> order;
    bool ascii = true;
    for (std::size_t r = 0; r < rows; ++r) {
        keys->numbers.push_back(sortNumber(view_.cells[r][column]));
        if (keys->numbers.back())
            continue;
        texts[r] = text(static_cast<int>(r), column).toStdString();
        ascii = ascii && std::all_of(texts[r].begin(), texts[r].end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        order.push_back(static_cast<int>(r));
    }
    // The texts ranked once, so that a sort compares two integers: plain
    // ASCII (file names, formulas) in natural order, other texts by the
    // locale's collation.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    auto less = [&](int a, int b) {
        if (ascii)
            return naturalLess(texts[a], texts[b]);
        return collator.compare(QString::fromStdString(texts[a]),
                                QString::fromStdString(texts[b])) < 0;
    };
    std::stable_sort(order.begin(), order.end(), less);
    keys->textRanks.assign(rows, 0);
    int rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && less(order[i - 1], order[i]))
            ++rank;
        keys->textRanks[order[i]] = rank;
    }
    return *keys;
}

int ResultTableModel::rank(int column, int row) const {
    if (sortKeys(column).numbers[row])
        return 0;
    return isEmpty(view_.cells[row][column]) ? 2 : 1;
}

bool ResultTableModel::rowLess(int column, int a, int b) const {
    const SortKeys& keys = sortKeys(column);
    if (keys.numbers[a] && keys.numbers[b])
        return *keys.numbers[a] < *keys.numbers[b];
    return keys.textRanks[a] < keys.textRanks[b];
}

void ResultSortProxy::setFile(const QString& file) {
    file_ = file;
    invalidateFilter();
}

bool ResultSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* model = qobject_cast<const ResultTableModel*>(sourceModel());
    if (!model)
        return QSortFilterProxyModel::lessThan(left, right);
    const int column = left.column();
    const int a = model->rank(column, left.row());
    const int b = model->rank(column, right.row());
    if (a != b)  // texts and empty cells after the numbers, either way
        return sortOrder() == Qt::AscendingOrder ? a < b : a > b;
    return model->rowLess(column, left.row(), right.row());
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
