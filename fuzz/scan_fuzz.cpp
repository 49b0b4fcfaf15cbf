// Fuzz target: a Gaussian output through the Scan run and its export.

#include <cstdint>

#include "core/language/messages.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/results/textexport.hpp"
#include "core/scan/scanrun.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".log");
    static const MessageLookup messages =
        lookupWithFallback(deliveredLanguageFile(), kFallbackLanguage);
    file.write(data, size);
    auto run = runScan(file.rows(), messages, ',');
    if (run) {
        ScanColumnChecks checks;
        checks.fill(true);
        (void)exportTextBytes(prepararexportacionscan(run->table, checks), ";");
    }
    return 0;
}
