#pragma once
// A two-dimensional table of text cells addressed (column, row) from 0; row 0
// holds the titles.  The column count is fixed when the table is created;
// rows are added by enlarging it, keeping its contents.  A cell never written
// is the empty text.  Reading outside the table gives the empty text.

#include <cstddef>
#include <string>
#include <vector>

namespace zerlant {

class Table {
  public:
    Table() = default;
    Table(std::size_t columns, std::size_t rows)
        : columns_(columns), rows_(rows), cells_(columns * rows) {}

    std::size_t columns() const { return columns_; }
    std::size_t rows() const { return rows_; }

    const std::string& cell(std::size_t column, std::size_t row) const {
        static const std::string empty;
        if (column >= columns_ || row >= rows_)
            return empty;
        return cells_[row * columns_ + column];
    }
    // Writes a cell, enlarging the table by rows when `row` lies beyond it.
    // Writing beyond the last column is ignored.
    void set(std::size_t column, std::size_t row, std::string text) {
        if (column >= columns_)
            return;
        if (row >= rows_)
            resizeRows(row + 1);
        cells_[row * columns_ + column] = std::move(text);
    }
    void resizeRows(std::size_t rows) {
        cells_.resize(rows * columns_);
        rows_ = rows;
    }

    bool operator==(const Table&) const = default;

  private:
    std::size_t columns_ = 0;
    std::size_t rows_ = 0;
    std::vector<std::string> cells_;
};

}  // namespace zerlant
