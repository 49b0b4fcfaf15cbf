#pragma once
// A table of the results view (core ViewTable: typed cells, columns with
// their units and precision) as a Qt table model, and the proxy that sorts
// it by the values themselves.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <optional>
#include <vector>

#include "core/results/viewtable.hpp"

class QItemSelectionModel;

namespace zerlant::gui {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Custom roles: the row's file (for filtering) and the cell's number.
    enum Role { FileRole = Qt::UserRole + 1, NumberRole };

    explicit ResultTableModel(QObject* parent = nullptr);

    // The table to show.  `notAvailable` is the text of a missing value
    // ("N/A"); numbers are shown with `decimalSeparator`.
    void setView(ViewTable view, const QString& notAvailable, char decimalSeparator);
    const ViewTable& view() const { return view_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text a cell shows.
    QString text(int row, int column) const;
    // True for the rows of files that could not be read.
    bool isErrorRow(int row) const;
    // Rows that repeat the titles for the next file (Scan and Aim tables),
    // by data row; shown in bold on grey.
    void setTitleRows(const std::vector<bool>& rows);

    // Sorting: whether row a comes before row b in `column`, ascending.
    // Numbers before texts, texts before empty cells.
    bool rowLess(int column, int a, int b) const;
    // The rank of a row's cell among the column's kinds (0 number, 1 text, 2
    // empty or missing), for the proxy to keep texts after numbers either way.
    int rank(int column, int row) const;

  private:
    struct SortKeys {
        std::vector<std::optional<double>> numbers;
        std::vector<int> textRanks;  // of each row's text among the column's texts
    };
    const SortKeys& sortKeys(int column) const;

    ViewTable view_;
    QString notAvailable_;
    CellFormat format_;
    mutable std::vector<std::optional<SortKeys>> sortKeys_;  // per column, made when sorted
};

// Sorts by the model's values and keeps only the rows of one file when a
// file is chosen.
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
