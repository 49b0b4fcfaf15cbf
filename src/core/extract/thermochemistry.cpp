#include "core/extract/thermochemistry.hpp"

namespace zerlant {
ThermoTable termoquimica(TextRef) {
    return ThermoTable(1, ThermoLine{});
}
}  // namespace zerlant
