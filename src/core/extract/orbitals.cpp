#include "core/extract/orbitals.hpp"

namespace zerlant {
OrbitalEnergies energiasorbitales(TextRef, const MessageLookup&) {
    return {};
}
}  // namespace zerlant
