#include "cli/extractoutput.hpp"

#include <cstdio>
#include <span>

#include "core/results/exporttable.hpp"
#include "core/results/tidyexport.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

namespace {

bool isWorkbook(const TableCommand& command) {
    const std::string& path = *command.output;
    return path.size() >= 5 && foldCase(path.substr(path.size() - 5)) == ".xlsx";
}

}  // namespace

ExtractOutput::ExtractOutput(const TableCommand& command, std::string tidy,
                             const ExtractBoxes& boxes)
    : command_(command),
      tidy_(std::move(tidy)),
      boxes_(boxes),
      // Standard output has LF line ends, a file CR LF.
      text_(";", command.output ? "\r\n" : "\n", exportColumnsUsed(boxes)) {
    for (const DetailBlock& b : kDetailBlocks) anyBlock_ = anyBlock_ || boxes.ticked(b.box);
    if (tidy_.empty() && command.output && isWorkbook(command))
        workbook_.emplace(kExtractExportColumns, 0);
}

void ExtractOutput::take(const ExtractedRow& row) {
    const bool first = rows_++ == 0;
    const TidyResults one{std::span<const ExtractRecord>(&row.record, 1)};
    if (tidy_ == "csv") {
        // The header line comes with the first row only.
        const std::string lines = tidyCsv(one, boxes_);
        put(first ? std::string_view(lines)
                  : std::string_view(lines).substr(lines.find("\r\n") + 2));
    } else if (tidy_ == "json") {
        // "[\n  {...}\n]\n": the record between the brackets of the array.
        const std::string array = tidyJson(one, boxes_);
        put(first ? "[\n" : ",\n");
        put(std::string_view(array).substr(2, array.size() - 5));
    } else if (tidy_ == "xyz") {
        put(multiXyz(one, skipped_));
    } else {
        // The file's block of the export table; after the first file it is
        // led by the titles again only when a block is chosen.
        const Table piece = prepararexportacion(row.resultRows, row.detail.table, boxes_);
        const std::size_t from = first || anyBlock_ ? 0 : 1;
        if (workbook_)
            appendRows(*workbook_, piece, from);
        else
            put(text_.add(piece, from));
    }
}

void ExtractOutput::put(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (!command_.output) {
        // A failure is reported once, for every command, when the command ends.
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return;
    }
    if (failure_)
        return;
    if (!opened_) {
        opened_ = true;
        if (Status s = openAtomically(file_, *command_.output, WriteRule::exportOf(command_.files));
            !s) {
            failure_ = s.error();
            return;
        }
    }
    if (Status s = file_.write(bytes); !s)
        failure_ = Error{s.error().message, *command_.output};
}

int ExtractOutput::finish() {
    if (tidy_ == "json" && rows_ > 0)
        put("\n]\n");
    if (workbook_)
        return writeExportTable(command_, *workbook_);
    put(text_.finish());
    if (!command_.output || rows_ == 0)
        return 0;
    if (!failure_)
        if (Status s = file_.commit(); !s)
            failure_ = Error{s.error().message, *command_.output};
    if (failure_) {
        reportProblem(command_, "cannot write " + failure_->describe());
        return 1;
    }
    return 0;
}

}  // namespace zerlant::cli
