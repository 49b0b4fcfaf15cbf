#pragma once
// A two-dimensional table of text cells addressed (column, row) from 0; row 0
// holds the titles.  The column count is fixed when the table is created;
// rows are added by enlarging it, keeping its contents.  A cell never written
// is the empty text.  Reading outside the table gives the empty text.
//
// A cell may also carry the number its text shows, set by whoever formatted
// the text from a typed value (or read it as a number from a file).  The
// workbook writes that number; nothing ever reads a number back out of a
// formatted text, whose decimal separator and digits belong to the reader.

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
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
        if (!numbers_.empty())
            numbers_[row * columns_ + column] = kNoNumber;
    }
    // Writes a cell that shows `value`; a value that is not finite is no
    // number, only its text.
    void setNumber(std::size_t column, std::size_t row, double value, std::string text) {
        set(column, row, std::move(text));
        if (column >= columns_ || !std::isfinite(value))
            return;
        if (numbers_.empty())
            numbers_.assign(cells_.size(), kNoNumber);
        numbers_[row * columns_ + column] = value;
    }
    // The number a cell shows, when it was written with one.
    std::optional<double> number(std::size_t column, std::size_t row) const {
        if (column >= columns_ || row >= rows_ || numbers_.empty())
            return std::nullopt;
        const double v = numbers_[row * columns_ + column];
        if (std::isnan(v))
            return std::nullopt;
        return v;
    }
    // Copies a cell of another table, its number included.
    void copyCell(std::size_t column, std::size_t row, const Table& from, std::size_t fromColumn,
                  std::size_t fromRow) {
        if (auto v = from.number(fromColumn, fromRow))
            setNumber(column, row, *v, from.cell(fromColumn, fromRow));
        else
            set(column, row, from.cell(fromColumn, fromRow));
    }
    void resizeRows(std::size_t rows) {
        cells_.resize(rows * columns_);
        if (!numbers_.empty())
            numbers_.resize(cells_.size(), kNoNumber);
        rows_ = rows;
    }

    // Equal texts; the numbers behind them are compared with `sameNumbers`.
    bool operator==(const Table& other) const {
        return columns_ == other.columns_ && rows_ == other.rows_ && cells_ == other.cells_;
    }
    bool sameNumbers(const Table& other) const {
        for (std::size_t r = 0; r < rows_; ++r)
            for (std::size_t c = 0; c < columns_; ++c)
                if (number(c, r) != other.number(c, r))
                    return false;
        return true;
    }

  private:
    static constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();
    std::size_t columns_ = 0;
    std::size_t rows_ = 0;
    std::vector<std::string> cells_;
    std::vector<double> numbers_;  // by cell; NaN for none; empty while no cell has one
};

}  // namespace zerlant
