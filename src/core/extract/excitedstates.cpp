#include "core/extract/excitedstates.hpp"

namespace zerlant {
ExcitedStates estadosexcitados(TextRef) {
    return {};
}
}  // namespace zerlant
