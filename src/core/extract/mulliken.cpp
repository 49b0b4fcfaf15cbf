#include "core/extract/mulliken.hpp"

namespace zerlant {
bool cargasmulliken(TextRef, MullikenCharges&) {
    return false;
}
std::string formulamolecular(const std::vector<std::string>&) {
    return {};
}
}  // namespace zerlant
