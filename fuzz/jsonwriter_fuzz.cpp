// Fuzz target: the JSON export of a Gaussian output whose texts are hostile
// bytes: always valid UTF-8 JSON, one record per file, each with its version.

#include <nlohmann/json.hpp>

#include "core/results/tidyexport.hpp"
#include "writerfuzz.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ExtractBoxes boxes;
    const std::vector<ExtractRecord> records = fuzz::recordsOf(data, size, boxes);
    const std::string json = tidyJson(TidyResults{records}, boxes);
    fuzz::require(isValidUtf8(json));
    const auto parsed = nlohmann::json::parse(json);  // throws, and aborts, when invalid
    fuzz::require(parsed.size() == records.size());
    for (const auto& r : parsed) fuzz::require(r.at("schema_version") == kExtractSchemaVersion);
    return 0;
}
