#include "core/results/textexport.hpp"

#include <vector>

#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"
#include "core/results/exporttable.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

std::string exportFileName(std::string_view currentFolder) {
    // A trailing separator ("/home/me/jobs/") does not hide the folder's
    // name; the root folder itself has none.
    while (currentFolder.size() > 1 && currentFolder.back() == kPathSeparator)
        currentFolder.remove_suffix(1);
    std::string_view name = currentFolder;
    if (std::size_t at = name.rfind(kPathSeparator); at != std::string_view::npos)
        name.remove_prefix(at + 1);
    return std::string(name) + ".txt";
}

std::string exportTextBytes(const Table& table, std::string_view separator,
                            std::string_view lineEnd) {
    const std::string empty = columnasvacias(table);
    std::vector<std::size_t> written;
    for (std::size_t c = 0; c < table.columns(); ++c)
        if (!palabraenlista(std::to_string(c), empty))
            written.push_back(c);

    std::string out;
    for (std::size_t r = 0; r < table.rows(); ++r) {
        for (std::size_t c : written) {
            if (c != 0)
                out += separator;
            out += separatedCell(table.cell(c, r), separator);
        }
        out += lineEnd;
    }
    return out;
}

ExportTextStream::ExportTextStream(std::string_view separator, std::string_view lineEnd,
                                   std::size_t usedColumns)
    : separator_(separator), lineEnd_(lineEnd), used_(usedColumns) {}

std::string ExportTextStream::add(const Table& piece, std::size_t from) {
    if (!started_) {
        started_ = true;
        // A column with a title is never empty throughout; one without a
        // title may be, which only the whole table tells.
        streaming_ = from == 0 && used_ <= piece.columns();
        for (std::size_t c = 0; c < used_ && streaming_; ++c) {
            streaming_ = !piece.cell(c, 0).empty();
            written_.push_back(c);
        }
        if (!streaming_)
            held_ = Table(piece.columns(), 0);
    }
    if (!streaming_) {
        appendRows(held_, piece, from);
        return {};
    }
    std::string out;
    for (std::size_t r = from; r < piece.rows(); ++r) {
        for (std::size_t c : written_) {
            if (c != 0)
                out += separator_;
            out += separatedCell(piece.cell(c, r), separator_);
        }
        out += lineEnd_;
    }
    return out;
}

std::string ExportTextStream::finish() {
    if (!started_ || streaming_)
        return {};
    std::string out = exportTextBytes(held_, separator_, lineEnd_);
    held_ = Table();
    return out;
}

void appendRows(Table& table, const Table& piece, std::size_t from) {
    std::size_t at = table.rows();
    table.resizeRows(at + (piece.rows() > from ? piece.rows() - from : 0));
    for (std::size_t r = from; r < piece.rows(); ++r, ++at)
        for (std::size_t c = 0; c < piece.columns(); ++c) table.copyCell(c, at, piece, c, r);
}

Status writeExportText(const Table& table, std::string_view separator, const std::string& path,
                       const WriteRule& rule) {
    return writeFileAtomically(path, exportTextBytes(table, separator), rule);
}

Result<std::string> exportartexto(const Table& table, std::string_view separator,
                                  const std::string& programFolder,
                                  std::string_view currentFolder) {
    std::string folder = programFolder;
    if (folder.empty() || folder.back() != kPathSeparator)
        folder += kPathSeparator;
    std::string path = folder + exportFileName(currentFolder);
    if (Status s = writeExportText(table, separator, path); !s)
        return s.error();
    return path;
}

}  // namespace zerlant
