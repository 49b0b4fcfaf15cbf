// Fuzz target: a Gaussian output through the Extract run with every column
// and block ticked (the job health too), then the export table and its text and workbook forms.

#include <cstdint>

#include "core/extract/extraction.hpp"
#include "core/language/messages.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/textexport.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".log");
    static const MessageLookup messages =
        lookupWithFallback(deliveredLanguageFile(), kFallbackLanguage);
    file.write(data, size);
    ExtractBoxes boxes = ExtractBoxes::initial(messages);
    for (const ExtractQuantity& q : kExtractQuantities) boxes[q.box].ticked = true;
    for (char separator : {'.', ','}) {
        ExtractionOutcome out = runExtraction(file.rows(), boxes, messages, separator);
        const Table exported = prepararexportacion(out.resultTable, out.detail.table, boxes);
        (void)exportTextBytes(exported, ";");
    }
    return 0;
}
