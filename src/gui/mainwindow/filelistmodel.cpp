#include "gui/mainwindow/filelistmodel.hpp"

#include <algorithm>
#include <functional>

#include <vector>

namespace zerlant::gui {

namespace {

std::string utf8(const QString& s) {
    return s.toStdString();
}

std::size_t entryOf(const QModelIndex& index) {
    return static_cast<std::size_t>(index.row()) + 1;
}

}  // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.entryCount());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.columns();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || entryOf(index) >= list_.rowCount())
        return {};
    const FileRow& row = list_.row(entryOf(index));
    switch (index.column()) {
        case 0:
            if (role == Qt::CheckStateRole)
                return row.checked ? Qt::Checked : Qt::Unchecked;
            break;
        case 1:
            if (role == Qt::DisplayRole)
                return QString::fromStdString(row.name);
            if (role == Qt::ToolTipRole)
                return QString::fromStdString(row.path);
            break;
        case 2:
            if (role == Qt::DisplayRole)
                return QString::fromStdString(row.newName);
            break;
        default:
            break;
    }
    return {};
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (list_.isChecked(entryOf(index)) != checked)
        list_.toggle(entryOf(index));
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit userEdited();
    return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The check cell is toggled by the view (a press anywhere in the cell,
    // Enter or Space), not by the item delegate.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    const FileRow& heading = list_.row(0);
    if (role == Qt::CheckStateRole && section == 0)
        return heading.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole) {
        if (section == 1)
            return QString::fromStdString(heading.name);
        if (section == 2)
            return QString::fromStdString(heading.newName);
        return QString();
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QString FileListModel::name(std::size_t entry) const {
    return entry < list_.rowCount() ? QString::fromStdString(list_.row(entry).name) : QString();
}

QString FileListModel::path(std::size_t entry) const {
    return entry < list_.rowCount() ? QString::fromStdString(list_.row(entry).path) : QString();
}

QString FileListModel::newName(std::size_t entry) const {
    return entry < list_.rowCount() ? QString::fromStdString(list_.row(entry).newName) : QString();
}

void FileListModel::reset(int columns, const QString& heading1, const QString& heading2) {
    beginResetModel();
    list_.reset(columns, utf8(heading1), utf8(heading2));
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, list_.columns() - 1);
    emit headingCheckChanged(false);
}

int FileListModel::add(const QString& folder, const QStringList& names) {
    std::vector<std::string> plain;
    plain.reserve(names.size());
    for (const auto& n : names) plain.push_back(utf8(n));
    return append([&](WorkingFileList& list) { return list.add(utf8(folder), plain); });
}

int FileListModel::addPaths(const QStringList& paths) {
    std::vector<std::string> plain;
    plain.reserve(paths.size());
    for (const auto& p : paths) plain.push_back(utf8(p));
    return append([&](WorkingFileList& list) { return list.addPaths(plain); });
}

int FileListModel::append(const std::function<std::size_t(WorkingFileList&)>& addTo) {
    const int first = rowCount();
    WorkingFileList copy = list_;
    const auto added = addTo(copy);
    if (added > 0) {
        beginInsertRows({}, first, first + static_cast<int>(added) - 1);
        list_ = std::move(copy);
        endInsertRows();
    }
    emit userEdited();
    return static_cast<int>(added);
}

int FileListModel::removeChecked() {
    WorkingFileList copy = list_;
    const auto removed = copy.removeChecked();
    if (removed > 0) {
        beginResetModel();
        list_ = std::move(copy);
        endResetModel();
    }
    emit userEdited();
    return static_cast<int>(removed);
}

void FileListModel::removeEntries(const QList<int>& rows) {
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    bool any = false;
    for (int row : sorted) {
        if (row < 0 || row >= rowCount())
            continue;
        beginRemoveRows({}, row, row);
        auto& all = list_.rows();
        all.erase(all.begin() + row + 1);
        endRemoveRows();
        any = true;
    }
    if (any)
        emit userEdited();
}

void FileListModel::setHeadings(const QString& heading1, const QString& heading2) {
    FileRow& heading = list_.rows().front();
    heading.name = utf8(heading1);
    if (list_.columns() == 3)
        heading.newName = utf8(heading2);
    emit headerDataChanged(Qt::Horizontal, 0, list_.columns() - 1);
}

void FileListModel::removeAll() {
    if (list_.entryCount() > 0) {
        beginRemoveRows({}, 0, rowCount() - 1);
        list_.removeAll();
        endRemoveRows();
    }
    emit userEdited();
}

void FileListModel::switchAll() {
    list_.switchAll();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    emit headerDataChanged(Qt::Horizontal, 0, 0);
    emit headingCheckChanged(list_.isChecked(0));
    emit userEdited();
}

void FileListModel::toggle(std::size_t entry) {
    if (entry == 0 || entry >= list_.rowCount())
        return;
    list_.toggle(entry);
    entryChanged(entry, 0);
    emit userEdited();
}

void FileListModel::setChecked(std::size_t entry, bool checked) {
    if (entry >= list_.rowCount())
        return;
    list_.setChecked(entry, checked);
    if (entry == 0) {
        // The heading's box: a run that looks at the heading row unticks it.
        emit headerDataChanged(Qt::Horizontal, 0, 0);
        emit headingCheckChanged(checked);
        return;
    }
    entryChanged(entry, 0);
}

void FileListModel::setNewName(std::size_t entry, const QString& name) {
    if (entry == 0 || entry >= list_.rowCount())
        return;
    list_.rows()[entry].newName = utf8(name);
    if (list_.columns() > 2)
        entryChanged(entry, 2);
}

void FileListModel::setEntry(std::size_t entry, const QString& name, const QString& path) {
    if (entry == 0 || entry >= list_.rowCount())
        return;
    list_.rows()[entry].name = utf8(name);
    list_.rows()[entry].path = utf8(path);
    entryChanged(entry, 1);
}

void FileListModel::applyChecks(const FileRows& rows) {
    auto& mine = list_.rows();
    const std::size_t n = std::min(rows.size(), mine.size());
    for (std::size_t r = 0; r < n; ++r) mine[r].checked = rows[r].checked;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void FileListModel::entryChanged(std::size_t entry, int column) {
    const QModelIndex i = index(static_cast<int>(entry) - 1, column);
    emit dataChanged(i, i);
}

}  // namespace zerlant::gui
