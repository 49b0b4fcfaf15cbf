#pragma once
// A result table of the core (row 0 the titles) as a Qt table model, and the
// proxy that sorts it by number where cells are numbers.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <vector>

#include "core/results/table.hpp"

class QItemSelectionModel;

namespace zerlant::gui {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Custom roles: the row's file (for filtering) and the cell's number.
    enum Role { FileRole = Qt::UserRole + 1, NumberRole };

    explicit ResultTableModel(QObject* parent = nullptr);

    // The table (titles in row 0) and, per data row, the file it belongs to.
    // `notAvailable` is the text of a missing value ("N/A"); numbers are shown
    // with `decimalSeparator`.
    void setTable(Table table, std::vector<QString> rowFiles, const QString& notAvailable,
                  char decimalSeparator);
    const Table& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // True when the row holds "Error" or "KO" cells (a file that could not be read).
    bool isErrorRow(int row) const;
    // Marks further rows, by data row, as rows of files without values.
    void markErrorRows(const std::vector<bool>& rows);
    // Tool tips of the column titles, by column (a new table has none).
    void setHeaderToolTips(std::vector<QString> tips);
    // Rows that repeat the titles for the next file (Scan and Aim tables),
    // by data row; shown in bold on grey.
    void setTitleRows(std::vector<bool> rows);

  private:
    Table table_;
    std::vector<QString> rowFiles_;
    std::vector<bool> errorRows_;
    std::vector<bool> titleRows_;
    std::vector<QString> headerTips_;
    QString notAvailable_;
    char decimal_ = '.';
};

// Sorts numbers as numbers (text after numbers) and keeps only the rows of
// one file when a file is chosen.
class ResultSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setFile(const QString& file);
    const QString& file() const { return file_; }

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    QString file_;
};

// The selected cells of a view as tab-separated text: a header line with the
// titles of the selected columns, then one line per selected row, in the
// order shown.  Cells outside the selection within its rows stay empty.
QString selectionAsTsv(const QAbstractItemModel& model, const QItemSelectionModel& selection);

}  // namespace zerlant::gui
