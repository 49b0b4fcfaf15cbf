// Fuzz target: an AIM summary through the Aim run and its export.

#include <cstdint>

#include "core/aim/aimrun.hpp"
#include "core/language/messages.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/results/textexport.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".sum");
    static const MessageLookup messages =
        lookupWithFallback(deliveredLanguageFile(), kFallbackLanguage);
    file.write(data, size);
    auto run = runAim(file.rows(), messages, '.');
    if (run) {
        AimColumnChecks checks;
        checks.fill(true);
        (void)exportTextBytes(prepararexportacionaim(run->table, checks), ";");
    }
    return 0;
}
