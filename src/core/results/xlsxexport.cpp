#include "core/results/xlsxexport.hpp"

#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "core/files/paths.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/textexport.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"
#include "core/text/utf8.hpp"

namespace zerlant {

namespace {

// libxlsxwriter prints doubles with snprintf, which follows the locale's
// decimal point.  This switches the calling thread to the C number format for
// its lifetime and back; other threads and the process locale stay as they are.
class CNumericLocale {
  public:
    CNumericLocale() {
        locale_t base = duplocale(uselocale(static_cast<locale_t>(0)));
        if (base == static_cast<locale_t>(0))
            return;
        c_ = newlocale(LC_NUMERIC_MASK, "C", base);
        if (c_ == static_cast<locale_t>(0)) {
            freelocale(base);
            return;
        }
        previous_ = uselocale(c_);
    }
    ~CNumericLocale() {
        if (c_ == static_cast<locale_t>(0))
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

    bool active() const { return c_ != static_cast<locale_t>(0); }

  private:
    locale_t c_ = static_cast<locale_t>(0);
    locale_t previous_ = static_cast<locale_t>(0);
};

// A workbook's strings must be UTF-8.  Cells hold bytes of output files and
// file names; text that is not valid UTF-8 is taken as Windows-1252, as the
// language file is.
std::string asUtf8(std::string_view s) {
    return isValidUtf8(s) ? std::string(s) : windows1252ToUtf8(s);
}

Error xlsxError(lxw_error e, const std::string& path) {
    return Error{std::string("the workbook could not be written: ") + lxw_strerror(e), path};
}

struct CellFormats {
    lxw_format* number[2];  // [plain, bold]
    lxw_format* text[2];
};

CellFormats makeFormats(lxw_workbook* wb) {
    CellFormats f{};
    const std::string numberFormat(kNumberCellFormat), textFormat(kTextCellFormat);
    for (int bold = 0; bold < 2; ++bold) {
        f.number[bold] = workbook_add_format(wb);
        f.text[bold] = workbook_add_format(wb);
        for (lxw_format* fmt : {f.number[bold], f.text[bold]}) {
            format_set_align(fmt, LXW_ALIGN_CENTER);
            if (bold)
                format_set_bold(fmt);
        }
        format_set_num_format(f.number[bold], numberFormat.c_str());
        format_set_num_format(f.text[bold], textFormat.c_str());
    }
    return f;
}

}  // namespace

std::string spreadsheetColumnName(std::size_t k) {
    std::string name;
    while (k > 0) {
        --k;
        name.insert(name.begin(), static_cast<char>('A' + k % 26));
        k /= 26;
    }
    return name;
}

std::string spreadsheetCellAddress(std::size_t k, std::size_t row) {
    return spreadsheetColumnName(k) + std::to_string(row);
}

std::string excelFileName(std::string_view currentFolder) {
    std::string name = exportFileName(currentFolder);
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".txt") == 0)
        name.resize(name.size() - 4);
    return name + ".xlsx";
}

namespace {

// Writes the whole workbook to `file`; errors name `path`.
Status fillWorkbook(const Table& table, const std::string& file, const std::string& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.use_zip64 = LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(file.c_str(), &options);
    if (!wb)
        return Error{"the workbook could not be created", path};
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    if (!ws) {
        workbook_close(wb);
        return Error{"the worksheet could not be created", path};
    }
    const CellFormats formats = makeFormats(wb);

    const std::string empty = columnasvacias(table);
    std::vector<std::size_t> written;
    for (std::size_t c = 0; c < table.columns(); ++c)
        if (!palabraenlista(std::to_string(c), empty))
            written.push_back(c);
    if (written.size() > LXW_COL_MAX) {
        workbook_close(wb);
        return Error{"the table has more columns than a worksheet holds", path};
    }

    for (std::size_t r = 0; r < table.rows(); ++r) {
        const int bold = r == 0 ? 1 : 0;
        for (std::size_t k = 0; k < written.size(); ++k) {
            const std::string& text = table.cell(written[k], r);
            auto row = static_cast<lxw_row_t>(r);
            auto col = static_cast<lxw_col_t>(k);
            const std::optional<double> value = table.number(written[k], r);
            lxw_error e;
            if (value) {
                e = worksheet_write_number(ws, row, col, *value, formats.number[bold]);
            } else if (text.empty()) {
                e = worksheet_write_blank(ws, row, col, formats.text[bold]);
            } else {
                e = worksheet_write_string(ws, row, col, asUtf8(text).c_str(), formats.text[bold]);
            }
            if (e != LXW_NO_ERROR) {
                workbook_close(wb);
                return xlsxError(e, path);
            }
        }
    }

    if (lxw_error e = workbook_close(wb); e != LXW_NO_ERROR)
        return xlsxError(e, path);
    return success();
}

}  // namespace

Status writeExcelWorkbook(const Table& table, const std::string& path, const WriteRule& rule) {
    if (table.rows() > LXW_ROW_MAX)
        return Error{"the table has more rows than a worksheet holds", path};

    CNumericLocale cNumbers;
    if (!cNumbers.active())
        return Error{"the C number format is not available", path};

    return writeFileAtomicallyWith(
        path, [&](const std::string& temp) { return fillWorkbook(table, temp, path); }, rule);
}

Result<std::string> exportarexcel(const Table& table, const std::string& programFolder,
                                  std::string_view currentFolder) {
    std::string folder = programFolder;
    if (folder.empty() || folder.back() != kPathSeparator)
        folder += kPathSeparator;
    std::string path = folder + excelFileName(currentFolder);
    if (Status s = writeExcelWorkbook(table, path); !s)
        return s.error();
    return path;
}

}  // namespace zerlant
