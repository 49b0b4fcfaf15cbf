#include "core/extract/frequencies.hpp"

namespace zerlant {
FrequencyTable frecuencias(TextRef) {
    return FrequencyTable(1, FrequencyMode{});
}
}  // namespace zerlant
