#pragma once
// What the writer fuzz targets share: the input read as a Gaussian output by
// the Extract run with every quantity and block ticked, its record's texts
// then replaced by raw bytes of the input (a file name or method that is no
// UTF-8, holds line breaks or quotes), so that the writer meets both real
// numbers and hostile texts.  A writer must never abort and must give what
// its format allows.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/extract/extraction.hpp"
#include "core/language/messages.hpp"
#include "core/text/utf8.hpp"
#include "fuzzfile.hpp"

namespace zerlant::fuzz {

inline std::vector<ExtractRecord> recordsOf(const std::uint8_t* data, std::size_t size,
                                            ExtractBoxes& boxes) {
    static FuzzFile file(".log");
    static const MessageLookup messages =
        lookupWithFallback(deliveredLanguageFile(), kFallbackLanguage);
    file.write(data, size);
    boxes = ExtractBoxes::initial(messages);
    boxes.setAll(true);
    ExtractionOutcome out = runExtraction(file.rows(), boxes, messages, '.', {}, 1);
    const std::string bytes(reinterpret_cast<const char*>(data), size < 48 ? size : 48);
    for (ExtractRecord& r : out.records) {
        r.file = bytes;
        r.method = bytes.substr(bytes.size() / 2);
        r.formula = bytes.substr(0, bytes.size() / 3);
        for (auto& s : r.detail.mullikenSymbols) s = bytes.substr(0, 2);
    }
    return std::move(out.records);
}

inline void require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace zerlant::fuzz
